#include "scripting/vbs/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "scripting/vbs/DateMath.h"
#include "scripting/vbs/HostObject.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro::vbs {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::optional<double> ParseRadix(std::string_view digits, int radix) {
  if (digits.empty() || digits.size() > 22) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    if (d >= radix) return std::nullopt;
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  // Hex and octal texts are 16-bit when they fit, else 32-bit, both two's complement.
  if (value <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(value));
  return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

std::string FormatGeneral(double value, int digits) {
  if (value == 0) return "0";
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
  if (ec != std::errc()) return "0";
  std::string text(buf, end);
  // Drop the fraction's trailing zeros and write the exponent as "E+20" / "E-05".
  const size_t e = text.find('e');
  std::string mantissa = text.substr(0, e);
  if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  if (e == std::string::npos) return mantissa;
  std::string exponent = text.substr(e + 1);
  const char sign = exponent[0];
  exponent = exponent.substr(1);
  if (exponent.size() < 2) exponent.insert(0, 2 - exponent.size(), '0');
  return mantissa + "E" + sign + exponent;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  text = Trimmed(text);
  if (text.size() >= 2 && text[0] == '&') {
    if (text[1] == 'h' || text[1] == 'H') return ParseRadix(text.substr(2), 16);
    if (text[1] == 'o' || text[1] == 'O') return ParseRadix(text.substr(2), 8);
    return std::nullopt;
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
    text = Trimmed(text);
  }
  // Validate the shape first: from_chars accepts things the language does not ("inf", "nan").
  size_t i = 0, digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j, ++expDigits;
    if (expDigits == 0) return std::nullopt;
    i = j;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  std::string copy(text);
  if (copy[0] == '.') copy.insert(0, 1, '0');
  auto [ptr, ec] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Tiny values underflow to zero; huge ones are not numbers the language can hold.
    const size_t ePos = copy.find_first_of("eE");
    if (ePos != std::string::npos && copy[ePos + 1] == '-') return negative ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (ec != std::errc() || ptr != copy.data() + copy.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

double ToDouble(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
      return 0;
    case VarType::Null:
      throw ScriptError(err::InvalidUseOfNull);
    case VarType::Boolean:
      return value.BoolValue() ? -1 : 0;
    case VarType::Byte:
      return value.ByteValue();
    case VarType::Integer:
      return value.IntegerValue();
    case VarType::Long:
      return value.LongValue();
    case VarType::Single:
      return value.SingleValue();
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
      return value.DoubleValue();
    case VarType::String: {
      // "True" and "False" are Boolean texts only: CBool reads them, arithmetic does not.
      if (auto number = ParseNumber(value.StringValue())) return *number;
      throw ScriptError(err::TypeMismatch);
    }
    default: {
      Variant scratch;
      const Variant& plain = PlainValue(value, scratch);  // an object's default value
      if (plain.IsObject() || plain.IsArray()) throw ScriptError(err::TypeMismatch);
      return ToDouble(plain);
    }
  }
}

int32_t RoundToLong(double value) {
  const double r = std::nearbyint(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw ScriptError(err::Overflow);
  return static_cast<int32_t>(r);
}

int16_t RoundToInteger(double value) {
  const double r = std::nearbyint(value);
  if (!(r >= -32768.0 && r <= 32767.0)) throw ScriptError(err::Overflow);
  return static_cast<int16_t>(r);
}

int32_t ToLong(const Variant& value) {
  switch (value.Type()) {
    case VarType::Integer:
      return value.IntegerValue();
    case VarType::Long:
      return value.LongValue();
    case VarType::Byte:
      return value.ByteValue();
    case VarType::Boolean:
      return value.BoolValue() ? -1 : 0;
    default:
      return RoundToLong(ToDouble(value));
  }
}

int16_t ToInteger(const Variant& value) {
  if (value.Type() == VarType::Integer) return value.IntegerValue();
  return RoundToInteger(ToDouble(value));
}

uint8_t ToByte(const Variant& value) {
  if (value.Type() == VarType::Boolean) return value.BoolValue() ? 255 : 0;  // all bits set
  const double r = std::nearbyint(ToDouble(value));
  if (!(r >= 0 && r <= 255)) throw ScriptError(err::Overflow);
  return static_cast<uint8_t>(r);
}

float ToSingle(const Variant& value) {
  const double d = ToDouble(value);
  if (std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max())) {
    throw ScriptError(err::Overflow);
  }
  return static_cast<float>(d);
}

bool ToBool(const Variant& value) {
  switch (value.Type()) {
    case VarType::Boolean:
      return value.BoolValue();
    case VarType::String: {
      const std::string_view text = Trimmed(value.StringValue());
      if (EqualsNoCase(text, "true") || EqualsNoCase(text, "#true#")) return true;
      if (EqualsNoCase(text, "false") || EqualsNoCase(text, "#false#")) return false;
      return ToDouble(value) != 0;
    }
    default:
      return ToDouble(value) != 0;
  }
}

// Rounds halves to even at the given decimal place. A value whose decimal text ends in 5 at
// that place counts as a half even when its binary form is a hair below or above.
double RoundDecimal(double x, int places) {
  const double scale = std::pow(10.0, places);
  const double scaled = x * scale;
  if (!std::isfinite(scaled)) return x;
  const double lower = std::floor(scaled);
  const double frac = scaled - lower;
  double r;
  if (std::fabs(frac - 0.5) < 1e-9 * std::max(1.0, std::fabs(scaled))) {
    r = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
  } else {
    r = std::nearbyint(scaled);
  }
  return r / scale;
}

double ToCurrencyValue(double value) {
  constexpr double kLimit = 922337203685477.5807;
  const double r = RoundDecimal(value, 4);
  if (!(r >= -kLimit && r <= kLimit)) throw ScriptError(err::Overflow);
  return r;
}

double ToDate(const Variant& value, int currentYear) {
  if (value.Type() == VarType::Date) return value.DoubleValue();
  if (value.IsString()) {
    if (auto date = ParseDate(value.StringValue(), currentYear)) return *date;
    if (auto number = ParseNumber(value.StringValue())) {
      if (*number < kMinDate || *number > kMaxDate) throw ScriptError(err::Overflow);
      return *number;
    }
    throw ScriptError(err::TypeMismatch);
  }
  const double d = ToDouble(value);
  if (d < kMinDate || d > kMaxDate) throw ScriptError(err::Overflow);
  return d;
}

std::string FormatDouble(double value) {
  return FormatGeneral(value, 15);
}
std::string FormatSingle(float value) {
  return FormatGeneral(static_cast<double>(value), 7);
}

std::string ToText(const Variant& value) {
  if (value.IsNull()) throw ScriptError(err::InvalidUseOfNull);
  std::string out;
  AppendText(out, value);
  return out;
}

void AppendText(std::string& out, const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null:
      return;
    case VarType::String:
      out += value.StringValue();
      return;
    case VarType::Boolean:
      out += value.BoolValue() ? "True" : "False";
      return;
    case VarType::Byte:
      out += std::to_string(value.ByteValue());
      return;
    case VarType::Integer:
      out += std::to_string(value.IntegerValue());
      return;
    case VarType::Long:
      out += std::to_string(value.LongValue());
      return;
    case VarType::Single:
      out += FormatSingle(value.SingleValue());
      return;
    case VarType::Double:
    case VarType::Currency:
      out += FormatDouble(value.DoubleValue());
      return;
    case VarType::Date:
      out += FormatDate(value.DoubleValue());
      return;
    default: {
      Variant scratch;
      const Variant& plain = PlainValue(value, scratch);  // an object's default value
      if (plain.IsObject() || plain.IsArray()) throw ScriptError(err::TypeMismatch);
      AppendText(out, plain);
    }
  }
}

Variant NumberLiteral(double value, bool integral) {
  if (integral && value >= -32768 && value <= 32767) {
    return Variant::Integer(static_cast<int16_t>(value));
  }
  if (integral && value >= -2147483648.0 && value <= 2147483647.0) {
    return Variant::Long(static_cast<int32_t>(value));
  }
  return Variant::Double(value);
}

}  // namespace kavro::vbs
