#include "history/HistoryTime.h"

#include <charconv>
#include <cmath>
#include <ctime>

namespace kavro {

std::int64_t HistoryMs(const DateTime& when) {
  std::tm fields{};
  fields.tm_year = when.year - 1900;
  fields.tm_mon = when.month - 1;
  fields.tm_mday = when.day;
  fields.tm_hour = when.hour;
  fields.tm_min = when.minute;
  fields.tm_sec = when.second;
  return static_cast<std::int64_t>(timegm(&fields)) * 1000;
}

std::int64_t HistoryMs(const DateTime& when, double secondsOfDay) {
  const std::int64_t whole = HistoryMs(when);
  if (!(secondsOfDay >= 0) || static_cast<int>(secondsOfDay) != SecondsSinceMidnight(when)) {
    return whole;
  }
  const double fraction = secondsOfDay - std::floor(secondsOfDay);
  return whole + static_cast<std::int64_t>(fraction * 1000.0);
}

DateTime DateTimeOfHistoryMs(std::int64_t ms) {
  std::int64_t seconds = ms / 1000;
  if (ms % 1000 < 0) --seconds;
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm fields{};
  gmtime_r(&t, &fields);
  return DateTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                  fields.tm_hour,        fields.tm_min,     fields.tm_sec};
}

std::string HistoryTimeText(std::int64_t ms) {
  return FormatDateTime(DateTimeOfHistoryMs(ms), "yyyy-mm-dd hh:mm:ss");
}

std::optional<std::int64_t> ParseHistoryTime(std::string_view text, std::int64_t nowMs) {
  if (text == "now") return nowMs;
  if (text.size() >= 3 && text.front() == '-') {
    long long count = 0;
    const char* first = text.data() + 1;
    const char* last = text.data() + text.size() - 1;
    const auto [end, error] = std::from_chars(first, last, count);
    if (error != std::errc() || end != last || count < 0) return std::nullopt;
    std::int64_t unit = 0;
    switch (text.back()) {
      case 's': unit = 1000; break;
      case 'm': unit = 60'000; break;
      case 'h': unit = 3'600'000; break;
      case 'd': unit = 86'400'000; break;
      default: return std::nullopt;
    }
    if (count > 100'000'000'000LL / (unit / 1000)) return std::nullopt;
    return nowMs - count * unit;
  }
  // Only the ISO date with a time: the US forms ParseDateLine also knows would read 1/2 ambiguously.
  if (text.size() < 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ') return std::nullopt;
  const auto line = ParseDateLine(text);
  if (!line || !line->hasDate || !line->hasTime) return std::nullopt;
  return HistoryMs(line->value);
}

}  // namespace kavro
