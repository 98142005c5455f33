#pragma once
// Conversions between Variant subtypes with the language's rules: banker's rounding to integers,
// overflow checks, number texts with "." whatever the locale, "True"/"False".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

// A number text: blanks around, optional sign, digits with an optional "." fraction, optional
// exponent; or "&H" hex / "&O" octal. Nothing when text is not numeric.
std::optional<double> ParseNumber(std::string_view text);

// The value as a double: Empty is 0, Boolean -1/0, a date its serial, a string its number, an
// object its default value. Null raises 94, a non-numeric string, an array or an object
// without a default value 13.
double ToDouble(const Variant& value);
// Rounded halves to even into the subtype's range, else 6 "Overflow".
int32_t ToLong(const Variant& value);
int16_t ToInteger(const Variant& value);
uint8_t ToByte(const Variant& value);
float ToSingle(const Variant& value);
bool ToBool(const Variant& value);
// A currency value: rounded halves to even at four decimals, 6 "Overflow" past its range.
double ToCurrencyValue(double value);
// A date text without a year ("5/12") takes currentYear.
double ToDate(const Variant& value, int currentYear);
// Text of the value (Empty is ""); Null raises 94.
std::string ToText(const Variant& value);
// Text of a value for "&" (Null and Empty are "").
void AppendText(std::string& out, const Variant& value);

// Rounds halves to even at that many decimals; a value whose decimal text ends in 5 there counts
// as a half even when its binary form is a hair off.
double RoundDecimal(double x, int places);

// Rounds halves to even; range checks after rounding.
int32_t RoundToLong(double value);
int16_t RoundToInteger(double value);

// General number texts: up to 15 (double) or 7 (single) significant digits, "E+20" exponents.
std::string FormatDouble(double value);
std::string FormatSingle(float value);

// Integer arithmetic results promote: Integer overflow becomes Long, Long overflow Double.
inline Variant IntegerResult(int64_t value, VarType narrowest) {
  if (narrowest == VarType::Byte && value >= 0 && value <= 255) {
    return Variant::Byte(static_cast<uint8_t>(value));
  }
  if ((narrowest == VarType::Byte || narrowest == VarType::Integer) && value >= -32768 &&
      value <= 32767) {
    return Variant::Integer(static_cast<int16_t>(value));
  }
  if (value >= INT32_MIN && value <= INT32_MAX) return Variant::Long(static_cast<int32_t>(value));
  return Variant::Double(static_cast<double>(value));
}

// Numeric value as Variant of the narrowest type able to hold a literal of this value.
Variant NumberLiteral(double value, bool integral);

}  // namespace kavro::vbs
