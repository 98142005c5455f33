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

// Appends number with at least width digits (leading zeros), a minus before them when negative.
// Written digit by digit into the caller's string: the cycle writes date captions every cycle,
// and this builds no temporary string per field.
void AppendPadded(std::string& out, int number, size_t width) {
  if (number < 0) out += '-';
  unsigned value = number < 0 ? 0u - static_cast<unsigned>(number) : static_cast<unsigned>(number);
  char digits[12];
  size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (size_t k = count; k < width; ++k) out += '0';
  while (count > 0) out += digits[--count];
}

void AppendMonthAbbreviation(std::string& out, int month) {
  // A month out of range is shown as its number rather than read past the table.
  if (month < 1 || month > 12) return AppendPadded(out, month, 2);
  out += kMonthAbbreviations[static_cast<size_t>(month - 1)];
}

}  // namespace

std::string FormatDateTime(const DateTime& when, std::string_view pattern) {
  std::string text;
  text.reserve(pattern.size() + 4);
  AppendDateTime(text, when, pattern);
  return text;
}

// "mm" is the minute when it follows "hh" (as in "hh:mm:ss") and the month otherwise.
void AppendDateTime(std::string& text, const DateTime& when, std::string_view pattern) {
  bool afterHour = false;
  size_t pos = 0;
  const auto take = [&](std::string_view token) {
    if (pattern.substr(pos, token.size()) != token) return false;
    pos += token.size();
    return true;
  };
  while (pos < pattern.size()) {
    if (take("yyyy")) {
      AppendPadded(text, when.year, 4);
      afterHour = false;
    } else if (take("mmm")) {
      AppendMonthAbbreviation(text, when.month);
      afterHour = false;
    } else if (take("mm")) {
      AppendPadded(text, afterHour ? when.minute : when.month, 2);
      afterHour = false;
    } else if (take("dd")) {
      AppendPadded(text, when.day, 2);
      afterHour = false;
    } else if (take("hh")) {
      AppendPadded(text, when.hour, 2);
      afterHour = true;
    } else if (take("ss")) {
      AppendPadded(text, when.second, 2);
      afterHour = false;
    } else {
      text += pattern[pos++];
    }
  }
}

int SecondsSinceMidnight(const DateTime& when) {
  return when.hour * 3600 + when.minute * 60 + when.second;
}

std::string GeneralDate(const DateTime& when) {
  const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
  std::string text;
  AppendPadded(text, when.month, 1);
  text += '/';
  AppendPadded(text, when.day, 1);
  text += '/';
  AppendPadded(text, when.year, 4);
  text += ' ';
  AppendPadded(text, hour12, 1);
  text += ':';
  AppendPadded(text, when.minute, 2);
  text += ':';
  AppendPadded(text, when.second, 2);
  text += when.hour < 12 ? " AM" : " PM";
  return text;
}

}  // namespace kavro
