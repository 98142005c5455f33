#pragma once
// Times in the history: milliseconds of the controller's local wall-clock time counted from
// 1970-01-01 00:00 as if it were UTC. Stored as the clock showed it, so the trend's axis, the
// exports and the report read the plant's own clock; a summer-time change repeats or skips an
// hour of that clock in the history as it does on the plant.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/DateText.h"

namespace kavro {

std::int64_t HistoryMs(const DateTime& when);
// With the fraction of the second from the clock's time of day when it is the same second.
std::int64_t HistoryMs(const DateTime& when, double secondsOfDay);
DateTime DateTimeOfHistoryMs(std::int64_t ms);
// "yyyy-mm-dd hh:mm:ss".
std::string HistoryTimeText(std::int64_t ms);

// A time as the history tools take it: "YYYY-MM-DD HH:MM" (or with ":SS"), "now", or a span
// back from now: "-30m", "-8h", "-7d" (also "-45s"). Nothing when the text is none of these.
std::optional<std::int64_t> ParseHistoryTime(std::string_view text, std::int64_t nowMs);

}  // namespace kavro
