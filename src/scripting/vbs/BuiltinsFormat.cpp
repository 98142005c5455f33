// FormatNumber FormatPercent FormatCurrency FormatDateTime, in the US English forms the rest of
// the interpreter uses ("." decimal point, "," groups, "$" currency).
#include <array>
#include <charconv>
#include <cmath>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/DateMath.h"
#include "scripting/vbs/Interpreter.h"

namespace kavro::vbs {
namespace {

using namespace builtin;

// Decimal digits of a finite |value| to 15 significant digits, rounded half away from zero at
// `places` decimals: returns integer-part digits and fraction digits.
std::pair<std::string, std::string> DecimalDigits(double value, int places) {
  char buf[64];
  auto [end, ec] =
      std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  std::string text(buf, end);
  const size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);  // 15 digits
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
  // digits represent d.ddd * 10^exponent; the point sits after (exponent + 1) digits.
  int pointAt = exponent + 1;
  if (pointAt < 0) {
    digits.insert(0, static_cast<size_t>(-pointAt), '0');
    pointAt = 0;
  }
  if (static_cast<int>(digits.size()) < pointAt + places + 1) {
    digits.append(static_cast<size_t>(pointAt + places + 1) - digits.size(), '0');
  }
  // Round at position pointAt + places.
  const size_t cut = static_cast<size_t>(pointAt + places);
  const bool up = digits[cut] >= '5';
  digits.resize(cut);
  if (up) {
    int i = static_cast<int>(digits.size()) - 1;
    while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++digits[static_cast<size_t>(i)];
    } else {
      digits.insert(digits.begin(), '1');
      ++pointAt;
    }
  }
  std::string whole = digits.substr(0, static_cast<size_t>(pointAt));
  std::string fraction = digits.substr(static_cast<size_t>(pointAt));
  const size_t nz = whole.find_first_not_of('0');
  whole = nz == std::string::npos ? "" : whole.substr(nz);
  return {whole, fraction};
}

// The options the three number formats share: places after the point (-1: two), a leading
// zero, negatives in parentheses, digit groups (each -2 for the default, 0 off, -1 on).
struct NumberStyle {
  int32_t places = 2;
  int32_t leading = -2;
  int32_t parens = -2;
  int32_t group = -2;
};

NumberStyle StyleArgs(BuiltinArgs a) {
  NumberStyle style;
  style.places = LongArg(a, 1, -1);
  if (style.places == -1) style.places = 2;
  if (style.places < 0 || style.places > 99) InvalidCall();
  style.leading = LongArg(a, 2, -2);
  style.parens = LongArg(a, 3, -2);
  style.group = LongArg(a, 4, -2);
  return style;
}

// The number to format, scaled (a percentage is a hundred times the value): 6 "Overflow" when
// the scaled value is past a Double's range.
double ValueArg(BuiltinArgs a, double scale = 1) {
  if (a[0]->IsNull()) throw ScriptError(err::TypeMismatch);
  const double value = ToDouble(*a[0]) * scale;
  if (!std::isfinite(value)) throw ScriptError(err::Overflow);
  return value;
}

// The number with prefix and suffix inside its sign: "-$1,234.50", "($1,234.50)", "12.50%".
std::string FormatFixed(double value, const NumberStyle& style, const std::string& prefix,
                        const std::string& suffix, bool parensByDefault) {
  auto [whole, fraction] = DecimalDigits(value, style.places);
  const bool isZero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
  std::string grouped;
  if (style.group != 0) {
    for (size_t i = 0; i < whole.size(); ++i) {
      if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
      grouped += whole[i];
    }
  } else {
    grouped = whole;
  }
  if (grouped.empty() && style.leading != 0) grouped.push_back('0');
  std::string body = prefix + grouped;
  if (style.places > 0) {
    body += '.';
    body += fraction;
  }
  body += suffix;
  if (value < 0 && !isZero) {
    const bool parens = style.parens == -1 || (style.parens == -2 && parensByDefault);
    return parens ? "(" + body + ")" : "-" + body;
  }
  return body;
}

Variant FormatNumber(Interpreter&, BuiltinArgs a) {
  const double value = ValueArg(a);
  return Variant::String(FormatFixed(value, StyleArgs(a), "", "", false));
}

Variant FormatPercent(Interpreter&, BuiltinArgs a) {
  const double value = ValueArg(a, 100.0);
  return Variant::String(FormatFixed(value, StyleArgs(a), "", "%", false));
}

Variant FormatCurrency(Interpreter&, BuiltinArgs a) {
  const double value = ValueArg(a);
  return Variant::String(FormatFixed(value, StyleArgs(a), "$", "", true));
}

// FormatDateTime(date[, vbGeneralDate | vbLongDate | vbShortDate | vbLongTime | vbShortTime])
Variant FormatDateTime(Interpreter& it, BuiltinArgs a) {
  const int32_t form = LongArg(a, 1, 0);
  if (form < 0 || form > 4) InvalidCall();
  if (a[0]->IsNull()) throw ScriptError(err::TypeMismatch);
  const double serial = ToDate(*a[0], it.CurrentYear());
  const DateParts p = PartsFromSerial(serial);
  auto twoDigits = [](int v) {
    return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
  };
  switch (form) {
    case 1:
      return Variant::String(WeekdayText(p.weekday, false) + ", " + MonthText(p.month, false) +
                             " " + std::to_string(p.day) + ", " + std::to_string(p.year));
    case 2:
      return Variant::String(std::to_string(p.month) + "/" + std::to_string(p.day) + "/" +
                             std::to_string(p.year));
    case 3:
      return Variant::String(FormatDate(TimePart(serial)));
    case 4:
      return Variant::String(twoDigits(p.hour) + ":" + twoDigits(p.minute));
    default:
      return Variant::String(FormatDate(serial));
  }
}

constexpr std::array<BuiltinInfo, 4> kFormats{{
    {"formatnumber", 1, 5, FormatNumber},
    {"formatpercent", 1, 5, FormatPercent},
    {"formatcurrency", 1, 5, FormatCurrency},
    {"formatdatetime", 1, 2, FormatDateTime},
}};

}  // namespace

std::span<const BuiltinInfo> FormatBuiltins() {
  return kFormats;
}

}  // namespace kavro::vbs
