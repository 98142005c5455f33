// Now Date Time Timer Year Month Day Hour Minute Second Weekday DateAdd DateDiff DateSerial
// TimeSerial DatePart DateValue TimeValue MonthName WeekdayName.
#include <array>
#include <cmath>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/DateMath.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/TextCase.h"

namespace kavro::vbs {
namespace {

using namespace builtin;

// Dates as a straight time line (days, time forward), and back to the stored form.
double Linear(double serial) {
  return DayPart(serial) + TimePart(serial);
}
double FromLinear(double linear) {
  const double days = std::floor(linear);
  return CombineDateTime(days, linear - days);
}

Variant CheckedDate(double serial) {
  if (!(serial >= kMinDate && serial <= kMaxDate)) InvalidCall();
  return Variant::Date(serial);
}

Variant NowFn(Interpreter& it, BuiltinArgs) {
  return Variant::Date(it.Now());
}
Variant DateFn(Interpreter& it, BuiltinArgs) {
  return Variant::Date(DayPart(it.Now()));
}
Variant TimeFn(Interpreter& it, BuiltinArgs) {
  return Variant::Date(TimePart(it.Now()));
}
Variant TimerFn(Interpreter& it, BuiltinArgs) {
  return Variant::Single(static_cast<float>(std::round(TimePart(it.Now()) * 86400.0)));
}

template <int DateParts::*Field>
Variant Part(Interpreter& it, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  const DateParts p = PartsFromSerial(ToDate(*a[0], it.CurrentYear()));
  return Variant::Integer(static_cast<int16_t>(p.*Field));
}

// First day of a week: vbUseSystemDayOfWeek (0) is Sunday, as in the US.
int FirstDayArg(BuiltinArgs a, size_t i) {
  const int32_t first = LongArg(a, i, 1);
  if (first < 0 || first > 7) InvalidCall();
  return first == 0 ? 1 : first;
}

Variant Weekday(Interpreter& it, BuiltinArgs a) {
  const int first = FirstDayArg(a, 1);
  if (a[0]->IsNull()) return *a[0];
  const DateParts p = PartsFromSerial(ToDate(*a[0], it.CurrentYear()));
  return Variant::Integer(static_cast<int16_t>((p.weekday - first + 7) % 7 + 1));
}

int32_t IntArg(const Variant& v) {
  if (v.IsNull()) throw ScriptError(err::InvalidUseOfNull);
  return ToLong(v);
}

Variant DateSerial(Interpreter&, BuiltinArgs a) {
  const int32_t y = IntArg(*a[0]), m = IntArg(*a[1]), d = IntArg(*a[2]);
  // Bounds that keep the arithmetic in range; the result's own range is checked after. (A
  // magnitude of the lowest Long would not fit its type, so each side is compared.)
  auto within = [](int32_t v, int32_t most) { return v >= -most && v <= most; };
  if (!within(y, 10000) || !within(m, 120000) || !within(d, 4000000)) InvalidCall();
  return CheckedDate(SerialFromDate(ExpandYear(y), m, d));
}

Variant TimeSerial(Interpreter&, BuiltinArgs a) {
  const double h = IntArg(*a[0]), m = IntArg(*a[1]), s = IntArg(*a[2]);
  const double linear = (h * 3600.0 + m * 60.0 + s) / 86400.0;
  if (std::fabs(linear) > 3000000) InvalidCall();
  return CheckedDate(FromLinear(linear));
}

enum class Unit { Year, Quarter, Month, Day, Week, WeekOfYear, Hour, Minute, Second };

Unit UnitOf(const Variant& v) {
  const std::string s = LowerCase(ToText(v));
  if (s == "yyyy") return Unit::Year;
  if (s == "q") return Unit::Quarter;
  if (s == "m") return Unit::Month;
  if (s == "d" || s == "y") return Unit::Day;
  if (s == "w") return Unit::Week;
  if (s == "ww") return Unit::WeekOfYear;
  if (s == "h") return Unit::Hour;
  if (s == "n") return Unit::Minute;
  if (s == "s") return Unit::Second;
  InvalidCall();
}

double AddMonths(double serial, double months) {
  const DateParts p = PartsFromSerial(serial);
  if (std::fabs(months) > 120000) InvalidCall();
  const int total = p.month - 1 + static_cast<int>(months);
  int y = p.year + (total >= 0 ? total / 12 : (total - 11) / 12);
  int m = ((total % 12) + 12) % 12 + 1;
  // The day stays, or becomes the last day of a shorter month.
  int d = p.day;
  const double nextMonth = SerialFromDate(y, m + 1, 1);
  const int daysInMonth = static_cast<int>(nextMonth - SerialFromDate(y, m, 1));
  if (d > daysInMonth) d = daysInMonth;
  return CombineDateTime(SerialFromDate(y, m, d), TimePart(serial));
}

Variant DateAdd(Interpreter& it, BuiltinArgs a) {
  const Unit unit = UnitOf(*a[0]);
  if (a[1]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  const double n = std::trunc(ToDouble(*a[1]));
  if (a[2]->IsNull()) return *a[2];
  const double date = ToDate(*a[2], it.CurrentYear());
  if (std::fabs(n) > 1e12) InvalidCall();
  switch (unit) {
    case Unit::Year:
      return CheckedDate(AddMonths(date, n * 12));
    case Unit::Quarter:
      return CheckedDate(AddMonths(date, n * 3));
    case Unit::Month:
      return CheckedDate(AddMonths(date, n));
    case Unit::Day:
    case Unit::Week:
      return CheckedDate(FromLinear(Linear(date) + n));
    case Unit::WeekOfYear:
      return CheckedDate(FromLinear(Linear(date) + 7 * n));
    case Unit::Hour:
      return CheckedDate(FromLinear(Linear(date) + n / 24.0));
    case Unit::Minute:
      return CheckedDate(FromLinear(Linear(date) + n / 1440.0));
    default:
      return CheckedDate(FromLinear(Linear(date) + n / 86400.0));
  }
}

Variant DateDiff(Interpreter& it, BuiltinArgs a) {
  const Unit unit = UnitOf(*a[0]);
  if (a[1]->IsNull() || a[2]->IsNull()) return Variant::MakeNull();
  const double d1 = ToDate(*a[1], it.CurrentYear()), d2 = ToDate(*a[2], it.CurrentYear());
  const DateParts p1 = PartsFromSerial(d1), p2 = PartsFromSerial(d2);
  // Whole seconds on a straight time line: differences count the boundaries crossed.
  const double s1 = std::round(Linear(d1) * 86400.0), s2 = std::round(Linear(d2) * 86400.0);
  auto boundaries = [&](double per) { return std::floor(s2 / per) - std::floor(s1 / per); };
  double r;
  switch (unit) {
    case Unit::Year:
      r = p2.year - p1.year;
      break;
    case Unit::Quarter:
      r = (p2.year * 4 + (p2.month - 1) / 3) - (p1.year * 4 + (p1.month - 1) / 3);
      break;
    case Unit::Month:
      r = (p2.year * 12 + p2.month) - (p1.year * 12 + p1.month);
      break;
    case Unit::Day:
      r = boundaries(86400.0);
      break;
    case Unit::Week:
      r = std::trunc((boundaries(86400.0)) / 7.0);
      break;
    case Unit::WeekOfYear: {
      // Sundays crossed: day numbers shifted so that weeks start on Sunday.
      const double day1 = std::floor(s1 / 86400.0), day2 = std::floor(s2 / 86400.0);
      r = std::floor((day2 + 6) / 7.0) - std::floor((day1 + 6) / 7.0);
      break;
    }
    case Unit::Hour:
      r = boundaries(3600.0);
      break;
    case Unit::Minute:
      r = boundaries(60.0);
      break;
    default:
      r = s2 - s1;
      break;
  }
  if (std::fabs(r) > 2147483647.0) throw ScriptError(err::Overflow);
  return Variant::Long(static_cast<int32_t>(r));
}

// Week of the year: week 1 holds 1 January (vbFirstJan1), or is the first with four days of
// the year (vbFirstFourDays), or the first whole one (vbFirstFullWeek).
int WeekOfYear(double day, int year, int firstDay, int firstWeek) {
  auto weekOneStart = [&](int y) {
    const double jan1 = SerialFromDate(y, 1, 1);
    const int offset = (PartsFromSerial(jan1).weekday - firstDay + 7) % 7;
    const double weekStart = jan1 - offset;
    if (firstWeek == 2) return 7 - offset >= 4 ? weekStart : weekStart + 7;
    if (firstWeek == 3) return offset == 0 ? weekStart : weekStart + 7;
    return weekStart;
  };
  double start = weekOneStart(year);
  if (day < start) start = weekOneStart(year - 1);
  return static_cast<int>(std::floor((day - start) / 7.0)) + 1;
}

// DatePart(interval, date[, firstdayofweek[, firstweekofyear]])
Variant DatePart(Interpreter& it, BuiltinArgs a) {
  const std::string interval = LowerCase(ToText(*a[0]));
  const int firstDay = FirstDayArg(a, 2);
  int32_t firstWeek = LongArg(a, 3, 1);
  if (firstWeek < 0 || firstWeek > 3) InvalidCall();
  if (firstWeek == 0) firstWeek = 1;
  if (a[1]->IsNull()) return *a[1];
  const double date = ToDate(*a[1], it.CurrentYear());
  const DateParts p = PartsFromSerial(date);
  const double day = DayPart(date);
  int part;
  if (interval == "y") {
    part = static_cast<int>(day - SerialFromDate(p.year, 1, 1)) + 1;
  } else {
    switch (UnitOf(*a[0])) {
      case Unit::Year:
        part = p.year;
        break;
      case Unit::Quarter:
        part = (p.month - 1) / 3 + 1;
        break;
      case Unit::Month:
        part = p.month;
        break;
      case Unit::Day:
        part = p.day;
        break;
      case Unit::Week:
        part = (p.weekday - firstDay + 7) % 7 + 1;
        break;
      case Unit::WeekOfYear:
        part = WeekOfYear(day, p.year, firstDay, firstWeek);
        break;
      case Unit::Hour:
        part = p.hour;
        break;
      case Unit::Minute:
        part = p.minute;
        break;
      default:
        part = p.second;
        break;
    }
  }
  return Variant::Integer(static_cast<int16_t>(part));
}

// DateValue and TimeValue: the date or the time of a date text or value.
Variant DateValue(Interpreter& it, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  return Variant::Date(DayPart(ToDate(*a[0], it.CurrentYear())));
}

Variant TimeValue(Interpreter& it, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  return Variant::Date(TimePart(ToDate(*a[0], it.CurrentYear())));
}

bool AbbreviateArg(BuiltinArgs a, size_t i) {
  if (!Given(a, i)) return false;
  if (a[i]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  return ToBool(*a[i]);
}

Variant MonthName(Interpreter&, BuiltinArgs a) {
  const int32_t month = LongArg(a, 0, 0);
  if (month < 1 || month > 12) InvalidCall();
  return Variant::String(MonthText(month, AbbreviateArg(a, 1)));
}

// WeekdayName(weekday[, abbreviate[, firstdayofweek]]): weekday counts from firstdayofweek.
Variant WeekdayName(Interpreter&, BuiltinArgs a) {
  const int32_t weekday = LongArg(a, 0, 0);
  if (weekday < 1 || weekday > 7) InvalidCall();
  const bool abbreviate = AbbreviateArg(a, 1);
  const int firstDay = FirstDayArg(a, 2);
  return Variant::String(WeekdayText((weekday - 1 + firstDay - 1) % 7 + 1, abbreviate));
}

constexpr std::array<BuiltinInfo, 20> kDates{{
    {"now", 0, 0, NowFn},
    {"date", 0, 0, DateFn},
    {"time", 0, 0, TimeFn},
    {"timer", 0, 0, TimerFn},
    {"year", 1, 1, Part<&DateParts::year>},
    {"month", 1, 1, Part<&DateParts::month>},
    {"day", 1, 1, Part<&DateParts::day>},
    {"hour", 1, 1, Part<&DateParts::hour>},
    {"minute", 1, 1, Part<&DateParts::minute>},
    {"second", 1, 1, Part<&DateParts::second>},
    {"weekday", 1, 2, Weekday},
    {"dateadd", 3, 3, DateAdd},
    {"datediff", 3, 5, DateDiff},
    {"dateserial", 3, 3, DateSerial},
    {"timeserial", 3, 3, TimeSerial},
    {"datepart", 2, 4, DatePart},
    {"datevalue", 1, 1, DateValue},
    {"timevalue", 1, 1, TimeValue},
    {"monthname", 1, 2, MonthName},
    {"weekdayname", 1, 3, WeekdayName},
}};

}  // namespace

std::span<const BuiltinInfo> DateBuiltins() {
  return kDates;
}

}  // namespace kavro::vbs
