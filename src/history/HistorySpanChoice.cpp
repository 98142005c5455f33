#include "history/HistorySpanChoice.h"

#include <algorithm>

#include "history/HistoryTime.h"

namespace kavro {

HistorySpanChoice ChooseHistorySpan(
    const std::optional<std::string>& from, const std::optional<std::string>& to,
    std::int64_t now, const std::optional<std::pair<std::int64_t, std::int64_t>>& recorded) {
  HistorySpanChoice choice;
  const auto parse = [&](const char* option, const std::string& text) {
    const auto time = ParseHistoryTime(text, now);
    if (!time) {
      choice.error = std::string(option) + ": not a time: \"" + text +
                     "\" (YYYY-MM-DD HH:MM, now, -30m, -8h, -7d)";
    }
    return time.value_or(0);
  };
  choice.to = to ? parse("--to", *to) : recorded ? std::max(now, recorded->second) : now;
  if (from) {
    choice.from = parse("--from", *from);
  } else {
    choice.from = recorded ? recorded->first : choice.to;
  }
  if (choice.error.empty() && choice.from > choice.to) {
    choice.error = "--from " + HistoryTimeText(choice.from) + " is after --to " +
                   HistoryTimeText(choice.to);
  }
  return choice;
}

}  // namespace kavro
