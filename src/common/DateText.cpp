// Writing date and time texts: the fixed patterns of link files and reports and the general
// date form of FLC.dat and script files. English month names and AM/PM whatever the locale,
// so the files read the same on every machine.
#include <array>
#include <string>
#include <string_view>

#include "common/DateText.h"

namespace kavro {
namespace {

constexpr std::array<const char*, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string Padded(int number, size_t width) {
  std::string text = std::to_string(number < 0 ? -number : number);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return number < 0 ? "-" + text : text;
}

std::string MonthAbbreviation(int month) {
  // A month out of range is shown as its number rather than read past the table.
  if (month < 1 || month > 12) return Padded(month, 2);
  return kMonthAbbreviations[static_cast<size_t>(month - 1)];
}

}  // namespace

// "mm" is the minute when it follows "hh" (as in "hh:mm:ss") and the month otherwise.
std::string FormatDateTime(const DateTime& when, std::string_view pattern) {
  std::string text;
  bool afterHour = false;
  size_t pos = 0;
  const auto take = [&](std::string_view token) {
    if (pattern.substr(pos, token.size()) != token) return false;
    pos += token.size();
    return true;
  };
  while (pos < pattern.size()) {
    if (take("yyyy")) {
      text += Padded(when.year, 4);
      afterHour = false;
    } else if (take("mmm")) {
      text += MonthAbbreviation(when.month);
      afterHour = false;
    } else if (take("mm")) {
      text += Padded(afterHour ? when.minute : when.month, 2);
      afterHour = false;
    } else if (take("dd")) {
      text += Padded(when.day, 2);
      afterHour = false;
    } else if (take("hh")) {
      text += Padded(when.hour, 2);
      afterHour = true;
    } else if (take("ss")) {
      text += Padded(when.second, 2);
      afterHour = false;
    } else {
      text += pattern[pos++];
    }
  }
  return text;
}

int SecondsSinceMidnight(const DateTime& when) {
  return when.hour * 3600 + when.minute * 60 + when.second;
}

std::string GeneralDate(const DateTime& when) {
  const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
  return std::to_string(when.month) + "/" + std::to_string(when.day) + "/" +
         Padded(when.year, 4) + " " + std::to_string(hour12) + ":" + Padded(when.minute, 2) +
         ":" + Padded(when.second, 2) + (when.hour < 12 ? " AM" : " PM");
}

}  // namespace kavro
