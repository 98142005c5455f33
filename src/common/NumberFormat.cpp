// FormatNumber and GeneralNumber: number texts for files, cells and link values.
//
// Both work from a decimal rendering of the value made with std::to_chars, which never looks at
// the C locale, so the decimal separator is always ".".
//
// FormatNumber first writes the double with 15 significant digits (correctly rounded from its
// binary value), the precision the platform's pattern formatter works from, and then rounds
// that decimal text half away from zero at the last place the pattern shows. So 0.125 -> "0.13"
// and 2.675 (binary 2.67499999999999982...) -> "2.68", as an operator reading the value
// expects. A single widened to double keeps its binary value: 1.0005f is 1.00049996376..., so
// it shows "1.000" with three places; callers that want the single's own decimal digits format
// the single's text instead.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/KavroError.h"
#include "common/NumberText.h"

namespace kavro {
namespace {

// A non-negative finite value as significant digits and the power of ten of the first one:
// 0.0125 with 3 digits -> {"125", -2}.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

template <typename T>
Decimal ToDecimal(T magnitude, int significantDigits) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::scientific, significantDigits - 1);
  const std::string_view text(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
  const auto e = text.find('e');
  Decimal decimal;
  for (const char c : text.substr(0, e)) {
    if (c != '.') decimal.digits += c;
  }
  // The exponent is "e+dd" or "e-ddd"; from_chars does not take the "+".
  std::string_view exponentText = text.substr(e + 1);
  if (!exponentText.empty() && exponentText.front() == '+') exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(),
                  decimal.exponent);
  return decimal;
}

// Adds one to a text of decimal digits, growing it on a carry out of the first digit.
void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// round(magnitude * 10^places) half away from zero, as a text of at least places + 1 digits.
std::string ScaledDigits(const Decimal& decimal, int places) {
  const int kept = decimal.exponent + 1 + places;  // digits of the decimal before the cut
  const int available = static_cast<int>(decimal.digits.size());
  std::string scaled;
  if (kept <= 0) {
    // Every digit lies beyond the cut; only a first digit right after it can round up.
    scaled = (kept == 0 && decimal.digits.front() >= '5') ? "1" : "0";
  } else if (kept >= available) {
    scaled = decimal.digits + std::string(static_cast<size_t>(kept - available), '0');
  } else {
    scaled = decimal.digits.substr(0, static_cast<size_t>(kept));
    if (decimal.digits[static_cast<size_t>(kept)] >= '5') IncrementDigits(scaled);
  }
  if (static_cast<int>(scaled.size()) < places + 1) {
    scaled.insert(0, static_cast<size_t>(places + 1) - scaled.size(), '0');
  }
  return scaled;
}

// The pattern's shape: how many integer digits are always written and how many fraction digits
// are written at least and at most. A "0" makes its place and every place nearer the point
// required.
struct PatternShape {
  int minIntegerDigits = 0;
  int minFractionDigits = 0;
  int maxFractionDigits = 0;
};

PatternShape ParsePattern(std::string_view pattern) {
  const auto point = pattern.find('.');
  const std::string_view integerPart = pattern.substr(0, point);
  const std::string_view fractionPart =
      point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
  const auto isPlace = [](char c) { return c == '#' || c == '0'; };
  for (const std::string_view part : {integerPart, fractionPart}) {
    for (const char c : part) {
      if (!isPlace(c)) {
        throw KavroError(errors::kInvalidCall, errors::kInvalidCallText);
      }
    }
  }
  PatternShape shape;
  const auto firstZero = integerPart.find('0');
  if (firstZero != std::string_view::npos) {
    shape.minIntegerDigits = static_cast<int>(integerPart.size() - firstZero);
  }
  const auto lastZero = fractionPart.rfind('0');
  if (lastZero != std::string_view::npos) shape.minFractionDigits = static_cast<int>(lastZero + 1);
  shape.maxFractionDigits = static_cast<int>(fractionPart.size());
  return shape;
}

// Texts for values that have no digits; they are deliberately not numeric, so a reader of a
// file or cell sees a bad value rather than a wrong number.
std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
  const PatternShape shape = ParsePattern(pattern);
  if (!std::isfinite(value)) return NonFiniteText(value);

  const Decimal decimal = ToDecimal(std::fabs(value), 15);
  const int places = shape.maxFractionDigits;
  const std::string scaled = ScaledDigits(decimal, places);

  std::string integerDigits = scaled.substr(0, scaled.size() - static_cast<size_t>(places));
  std::string fractionDigits = scaled.substr(scaled.size() - static_cast<size_t>(places));
  const bool isZero = scaled.find_first_not_of('0') == std::string::npos;

  integerDigits.erase(0, integerDigits.find_first_not_of('0'));
  if (static_cast<int>(integerDigits.size()) < shape.minIntegerDigits) {
    integerDigits.insert(0, static_cast<size_t>(shape.minIntegerDigits) - integerDigits.size(),
                         '0');
  }
  while (static_cast<int>(fractionDigits.size()) > shape.minFractionDigits &&
         fractionDigits.back() == '0') {
    fractionDigits.pop_back();
  }

  std::string text;
  if (value < 0 && !isZero) text += '-';
  text += integerDigits;
  if (!fractionDigits.empty()) text += '.' + fractionDigits;
  return text;
}

// Seven significant digits, as a single holds; fixed form while the first digit's power of ten
// is within -4..6 (0.0001 .. 9999999), exponent form outside ("1E-05", "1.234568E+07") with a
// signed exponent of at least two digits. The exponent is taken after rounding, so 9999999.5
// gives "1E+07".
std::string GeneralNumber(float value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (value == 0.0f) return "0";

  constexpr int kSignificant = 7;
  Decimal decimal = ToDecimal(std::fabs(value), kSignificant);
  decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
  const int digitCount = static_cast<int>(decimal.digits.size());

  std::string text = value < 0 ? "-" : "";
  if (decimal.exponent >= kSignificant || decimal.exponent < -4) {
    text += decimal.digits.front();
    if (digitCount > 1) text += '.' + decimal.digits.substr(1);
    const int power = std::abs(decimal.exponent);
    text += decimal.exponent < 0 ? "E-" : "E+";
    if (power < 10) text += '0';
    text += std::to_string(power);
  } else if (decimal.exponent < 0) {
    text += "0." + std::string(static_cast<size_t>(-decimal.exponent - 1), '0') + decimal.digits;
  } else {
    const int integerCount = decimal.exponent + 1;
    if (digitCount <= integerCount) {
      text += decimal.digits + std::string(static_cast<size_t>(integerCount - digitCount), '0');
    } else {
      text += decimal.digits.substr(0, static_cast<size_t>(integerCount)) + '.' +
              decimal.digits.substr(static_cast<size_t>(integerCount));
    }
  }
  return text;
}

}  // namespace kavro
