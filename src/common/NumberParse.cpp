// Reading numbers from texts: cells, link files and script arguments. The grammar is checked
// here and the value is read with std::from_chars, so neither depends on the C locale.
#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/KavroError.h"
#include "common/NumberText.h"

namespace kavro {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The length of the longest prefix of text that is a number: [sign] digits [. digits] or
// [sign] . digits, then an optional exponent that counts only when it has digits. 0 when none.
size_t NumberPrefixLength(std::string_view text) {
  size_t pos = 0;
  const auto digitsFrom = [&](size_t from) {
    size_t end = from;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return end - from;
  };
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  size_t mantissaDigits = digitsFrom(pos);
  pos += mantissaDigits;
  if (pos < text.size() && text[pos] == '.') {
    const size_t fractionDigits = digitsFrom(pos + 1);
    if (mantissaDigits + fractionDigits > 0) pos += 1 + fractionDigits;
    mantissaDigits += fractionDigits;
  }
  if (mantissaDigits == 0) return 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    size_t exponentStart = pos + 1;
    if (exponentStart < text.size() && (text[exponentStart] == '+' || text[exponentStart] == '-')) {
      ++exponentStart;
    }
    const size_t exponentDigits = digitsFrom(exponentStart);
    if (exponentDigits > 0) pos = exponentStart + exponentDigits;
  }
  return pos;
}

// Whether a number text whose value lies outside the double range is too large (rather than
// too small): the power of ten of its first significant digit is positive.
bool IsHugeNumber(std::string_view number) {
  if (!number.empty() && (number.front() == '+' || number.front() == '-')) number.remove_prefix(1);
  const auto exponentMark = number.find_first_of("eE");
  long long exponent = 0;
  if (exponentMark != std::string_view::npos) {
    std::string_view exponentText = number.substr(exponentMark + 1);
    if (!exponentText.empty() && exponentText.front() == '+') exponentText.remove_prefix(1);
    const auto parsed =
        std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    // An exponent too long even for a long long decides on its own sign.
    if (parsed.ec == std::errc::result_out_of_range) return exponentText.front() != '-';
    number = number.substr(0, exponentMark);
  }
  const auto point = number.find('.');
  const std::string_view integerPart = number.substr(0, point);
  const auto firstSignificant = integerPart.find_first_not_of('0');
  // The first digit's power is exponent + digits - 1, or exponent - zeros - 1: compared so that
  // an exponent at the ends of a long long cannot overflow.
  if (firstSignificant != std::string_view::npos) {
    return exponent > 1 - static_cast<long long>(integerPart.size() - firstSignificant);
  }
  const std::string_view fractionPart =
      point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
  const auto leadingZeros = fractionPart.find_first_not_of('0');
  return exponent > static_cast<long long>(leadingZeros) + 1;
}

// A plain decimal of at most 15 digits and no exponent ("1395.000", "2.8"), the numbers cells
// and traces hold, read without from_chars: its digits make a whole number below 2^53 and its
// point a power of ten up to 10^15, both exact doubles, so their quotient (rounded once, as
// every division is) is the double nearest the text, which is what from_chars finds.
std::optional<double> PlainDecimal(std::string_view digits) {
  constexpr size_t kMostDigits = 15;
  static constexpr std::array<double, kMostDigits + 1> kPowersOfTen = {
      1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const char* p = digits.data();
  const char* const end = p + digits.size();
  // The digits before and after the point in two plain loops; a whole number of more digits
  // than kMostDigits wraps round harmlessly, as it is refused below.
  uint64_t whole = 0;
  while (p != end && IsDigit(*p)) whole = whole * 10 + static_cast<uint64_t>(*p++ - '0');
  const size_t integerDigits = static_cast<size_t>(p - digits.data());
  size_t places = 0;
  if (p != end && *p == '.') {
    const char* const fraction = ++p;
    if (end - fraction == 3 && IsDigit(p[0]) && IsDigit(p[1]) && IsDigit(p[2])) {
      // Three places, as every value typed into the grid has ("####0.000"), in one step.
      whole = whole * 1000 +
              static_cast<uint64_t>((p[0] - '0') * 100 + (p[1] - '0') * 10 + (p[2] - '0'));
      p = end;
    }
    while (p != end && IsDigit(*p)) whole = whole * 10 + static_cast<uint64_t>(*p++ - '0');
    places = static_cast<size_t>(p - fraction);
  }
  // Anything left is an exponent (from_chars reads it) or no number at all; "" and "." have
  // no digit.
  const size_t count = integerDigits + places;
  if (p != end || count == 0 || count > kMostDigits) return std::nullopt;
  return static_cast<double>(whole) / kPowersOfTen[places];
}

// PlainDecimal after an optional sign: a number exactly when the grammar below accepts the
// whole text, as it has digits, at most one point and nothing else.
std::optional<double> SignedPlainDecimal(std::string_view number) {
  if (number.empty()) return std::nullopt;
  const bool negative = number.front() == '-';
  if (negative || number.front() == '+') number.remove_prefix(1);
  const auto plain = PlainDecimal(number);
  if (!plain) return std::nullopt;
  return negative ? -*plain : *plain;
}

// Reads a text that NumberPrefixLength accepted in full.
double ReadNumber(std::string_view number) {
  if (const auto plain = SignedPlainDecimal(number)) return *plain;
  const bool negative = number.front() == '-';
  std::string_view unsignedNumber = number;
  if (number.front() == '+' || number.front() == '-') unsignedNumber.remove_prefix(1);
  double value = 0.0;
  const auto parsed =
      std::from_chars(unsignedNumber.data(), unsignedNumber.data() + unsignedNumber.size(), value);
  if (parsed.ec == std::errc::result_out_of_range) {
    if (IsHugeNumber(number)) throw KavroError(errors::kOverflow, errors::kOverflowText);
    value = 0.0;  // too small for a double: it is zero
  }
  return negative ? -value : value;
}

}  // namespace

bool IsNumeric(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  return !trimmed.empty() && NumberPrefixLength(trimmed) == trimmed.size();
}

double ToNumber(std::string_view text) {
  // Most texts are plain decimals without blanks ("1395.000"): read in one pass.
  if (const auto plain = SignedPlainDecimal(text)) return *plain;
  if (!IsNumeric(text)) throw KavroError(errors::kTypeMismatch, errors::kTypeMismatchText);
  return ReadNumber(TrimBlanks(text));
}

float ToSingle(std::string_view text) {
  // The plain decimals the cycle reads from its cells are read and narrowed in one call.
  if (const auto plain = SignedPlainDecimal(text)) return SingleOfNumber(*plain);
  return SingleOfNumber(ToNumber(text));
}

float SingleOfNumber(double value) {
  // Values up to half a unit above the largest single still round to it; beyond that the single
  // would be infinite.
  constexpr double kLargestRoundingToSingle = static_cast<double>(FLT_MAX) + 0x1p103;
  if (std::fabs(value) >= kLargestRoundingToSingle) {
    throw KavroError(errors::kOverflow, errors::kOverflowText);
  }
  if (std::fabs(value) > static_cast<double>(FLT_MAX)) return std::copysign(FLT_MAX, value);
  return static_cast<float>(value);
}

std::optional<float> SingleIfInRange(std::string_view text) {
  if (!IsNumeric(text)) return std::nullopt;
  try {
    return ToSingle(text);
  } catch (const KavroError&) {
    return std::nullopt;
  }
}

std::optional<double> NumberIfInRange(std::string_view text) {
  if (!IsNumeric(text)) return std::nullopt;
  try {
    return ToNumber(text);
  } catch (const KavroError&) {
    return std::nullopt;
  }
}

std::optional<int> WholeNumberIn(std::string_view text, int low, int high) {
  const auto value = NumberIfInRange(text);
  if (!value || *value < low || *value > high || *value != std::floor(*value)) return std::nullopt;
  return static_cast<int>(*value);
}

double LeadingNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  const size_t length = NumberPrefixLength(text);
  if (length == 0) return 0.0;
  try {
    return ReadNumber(text.substr(0, length));
  } catch (const KavroError&) {
    // A cell holding "1e999 kg" has no usable leading number; the cell reading must go on.
    return 0.0;
  }
}

}  // namespace kavro
