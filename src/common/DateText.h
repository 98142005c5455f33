#pragma once
// Date and time texts: the fixed patterns of the link files and reports, the time of day in
// seconds, and one general date form (short date, then long time) for FLC.dat line 2 and the
// date line of script files, with a parser that recognises such a line.
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

struct DateTime {
  int year = 2000;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
  bool operator==(const DateTime&) const = default;
};

// The one form of a date and time on screen, and the one of the files that have no form of their
// own (ISO 8601). Files other programs read keep theirs: FLC.dat and script files the general
// date, the link files "yyyy/mm/dd".
inline constexpr std::string_view kScreenDateTime = "mmm-dd-yyyy hh:mm:ss";
inline constexpr std::string_view kFileDateTime = "yyyy-mm-ddThh:mm:ss";

// Patterns: "mmm-dd-yyyy hh:mm:ss", "dd-mmm-yyyy hh:mm:ss", "yyyy-mmm-dd hh:mm:ss", "yyyy/mm/dd",
// "hh:mm:ss" (24 h, zero-padded). "mmm" is the English month abbreviation ("Jan".."Dec"); "mm"
// is the minute right after "hh" and the month otherwise. Any other character of the pattern
// is copied as it is.
std::string FormatDateTime(const DateTime& when, std::string_view pattern);
// The same text appended to text (a caption rewritten every cycle keeps its buffer).
void AppendDateTime(std::string& text, const DateTime& when, std::string_view pattern);

// The Gregorian calendar: every fourth year has a 29 February, except the full centuries that
// 400 does not divide.
bool IsLeapYear(int year);
// Days of month 1..12 in that year.
int DaysInMonth(int year, int month);

// Seconds since midnight of when's time of day (0..86399).
int SecondsSinceMidnight(const DateTime& when);

// The general date form: "12/5/2026 6:00:00 PM" (month/day/year without leading zeros, then the
// 12-hour long time with AM/PM). The time is always written, midnight as "12:00:00 AM" and
// noon as "12:00:00 PM", so a reader always finds both parts.
std::string GeneralDate(const DateTime& when);

// What a line that is a date, a time or both holds.
struct DateLine {
  bool hasDate = false;
  bool hasTime = false;
  DateTime value;  // fields not present keep their DateTime defaults
};

// Recognises a line as written by GeneralDate, or any of: a date "m/d/yyyy" or "yyyy-mm-dd",
// a time "h:mm", "h:mm:ss" with optional " AM"/" PM" (either case; hours 1..12 then), or a
// date followed by blanks and a time. Blanks around (spaces, tabs, CR, LF) are ignored.
// Returns nothing for any other text, including invalid dates ("2/30/2026") and times
// ("25:00"), two-digit years and label lines such as "Note: 1:2".
std::optional<DateLine> ParseDateLine(std::string_view line);

}  // namespace kavro
