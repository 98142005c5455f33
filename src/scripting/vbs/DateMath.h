#pragma once
// Dates as the language keeps them: a double counting days since 30 December 1899, the time of
// day as the fraction (for negative dates the fraction still counts forward from midnight).
#include <optional>
#include <string>
#include <string_view>

namespace kavro::vbs {

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
  int weekday = 7;  // 1 = Sunday .. 7 = Saturday
};

inline constexpr double kMinDate = -657434.0;         // 1 Jan 100
inline constexpr double kMaxDate = 2958465.99999999;  // 31 Dec 9999 23:59:59

// Days of a civil date; month and day may run over (month 13 is January of the next year,
// day 0 the last day of the previous month), as DateSerial allows.
double SerialFromDate(int year, int month, int day);
double SerialFromTime(int hour, int minute, int second);
// Combines a day number and a time of day into a date value (negative days keep the time
// counting forward).
double CombineDateTime(double days, double timeOfDay);
DateParts PartsFromSerial(double serial);
// The whole days and the time fraction of a date value.
double DayPart(double serial);
double TimePart(double serial);

// General date form: "12/5/2026 6:00:00 PM"; the date alone when the time is midnight, the time
// alone when the date is 30 Dec 1899.
std::string FormatDate(double serial);

// Reads a date, a time, or a date then a time: "m/d/yyyy", "m/d/yy", "m/d", "yyyy-mm-dd",
// "yyyy/mm/dd", "d-mmm-yyyy", "mmm d, yyyy", "mmmm d yyyy", "h:mm", "h:mm:ss", "h AM" with
// optional AM/PM. Nothing for any other text or an impossible date.
std::optional<double> ParseDate(std::string_view text, int currentYear);

// English names: month 1..12, weekday 1 (Sunday) .. 7; abbreviated to three letters on request.
std::string MonthText(int month, bool abbreviate);
std::string WeekdayText(int weekday, bool abbreviate);

// Two-digit years: 0..29 are 2000..2029, 30..99 are 1930..1999.
int ExpandYear(int year);

}  // namespace kavro::vbs
