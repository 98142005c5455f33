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
// the single's text instead. Most values of moderate size are rounded in binary instead, where
// that provably gives the same digits (ScaledInBinary): the cycle formats a dozen numbers.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/KavroError.h"
#include "common/NumberFormatPaths.h"
#include "common/NumberText.h"
#include "common/RestrictFalseReport.h"

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
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), decimal.exponent);
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
    KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
    scaled = (kept == 0 && decimal.digits.front() >= '5') ? "1" : "0";
    KAVRO_STRING_RESTRICT_FALSE_REPORT_END
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

using PatternShape = NumberPattern::Shape;

// One pass over the pattern.
PatternShape ParsePattern(std::string_view pattern) {
  PatternShape shape;
  bool inFraction = false;
  int integerPlaces = 0;
  int firstIntegerZero = -1;
  for (const char c : pattern) {
    if (c == '.' && !inFraction) {
      inFraction = true;
      continue;
    }
    if (c != '#' && c != '0') throw KavroError(errors::kInvalidCall, errors::kInvalidCallText);
    if (inFraction) {
      ++shape.maxFractionDigits;
      if (c == '0') shape.minFractionDigits = shape.maxFractionDigits;
    } else {
      if (c == '0' && firstIntegerZero < 0) firstIntegerZero = integerPlaces;
      ++integerPlaces;
    }
  }
  if (firstIntegerZero >= 0) shape.minIntegerDigits = integerPlaces - firstIntegerZero;
  return shape;
}

// The shape of a pattern, read once: the cycle formats a dozen numbers with the same few
// patterns. The last patterns seen are kept per thread, keyed by their text (never by their
// address, which a caller's buffer may reuse for another text); a longer pattern or a bad one
// is read on every call, and a bad one still throws.
class PatternCache {
 public:
  PatternShape ShapeOf(std::string_view pattern) {
    for (const Entry& entry : entries_) {
      if (entry.length == pattern.size() && entry.length > 0 &&
          std::equal(pattern.begin(), pattern.end(), entry.text.begin())) {
        return entry.shape;
      }
    }
    const PatternShape shape = ParsePattern(pattern);
    if (pattern.empty() || pattern.size() > kMaxLength) return shape;
    Entry& entry = entries_[next_];
    next_ = (next_ + 1) % entries_.size();
    std::copy(pattern.begin(), pattern.end(), entry.text.begin());
    entry.length = pattern.size();
    entry.shape = shape;
    return shape;
  }

 private:
  static constexpr size_t kMaxLength = 16;
  struct Entry {
    std::array<char, kMaxLength> text{};
    size_t length = 0;
    PatternShape shape;
  };
  std::array<Entry, 8> entries_{};
  size_t next_ = 0;
};

PatternShape ShapeOf(std::string_view pattern) {
  thread_local PatternCache cache;
  return cache.ShapeOf(pattern);
}

// Texts for values that have no digits; they are deliberately not numeric, so a reader of a
// file or cell sees a bad value rather than a wrong number.
std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

// Appends the text of round(|value| * 10^places) (at least places + 1 digits, see ScaledDigits)
// laid out as the pattern asks.
void LayOut(std::string& text, double value, std::string_view scaled, const PatternShape& shape) {
  const auto places = static_cast<size_t>(shape.maxFractionDigits);
  std::string_view integerDigits = scaled.substr(0, scaled.size() - places);
  std::string_view fractionDigits = scaled.substr(scaled.size() - places);
  const bool isZero = scaled.find_first_not_of('0') == std::string_view::npos;

  integerDigits.remove_prefix(std::min(integerDigits.find_first_not_of('0'), integerDigits.size()));
  const size_t minInteger = static_cast<size_t>(shape.minIntegerDigits);
  const size_t integerPadding =
      minInteger > integerDigits.size() ? minInteger - integerDigits.size() : 0;
  const auto minFraction = static_cast<size_t>(shape.minFractionDigits);
  while (fractionDigits.size() > minFraction && fractionDigits.back() == '0') {
    fractionDigits.remove_suffix(1);
  }

  // Sized once and filled in place: the replay writes some fifteen numbers a cycle.
  const bool minus = value < 0 && !isZero;
  const size_t start = text.size();
  text.resize(start + (minus ? 1 : 0) + integerPadding + integerDigits.size() +
              (fractionDigits.empty() ? 0 : 1 + fractionDigits.size()));
  char* out = text.data() + start;
  if (minus) *out++ = '-';
  out = std::fill_n(out, integerPadding, '0');
  out = std::copy(integerDigits.begin(), integerDigits.end(), out);
  if (!fractionDigits.empty()) {
    *out++ = '.';
    std::copy(fractionDigits.begin(), fractionDigits.end(), out);
  }
}

// round(magnitude * 10^places) half away from zero on the 15-digit decimal, worked out in
// binary where that provably gives the same digits; nothing where it might not.
//
// The 15-digit decimal D lies within 5e-15 * magnitude of the magnitude, and the product below
// within 2^-53 of its own size of the exact magnitude * 10^places (the power of ten is exact).
// So when the product is further than 1e-14 of itself from a half, D * 10^places lies on the
// same side of that half, and rounding either of them gives the same whole number. Ties, near
// ties and large products are left to the decimal path.
constexpr int kFastPlaces = 9;
constexpr std::array<double, kFastPlaces + 1> kPowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4,
                                                              1e5, 1e6, 1e7, 1e8, 1e9};
constexpr double kFastLimit = 1e13;       // keeps the margin below far below a half
constexpr double kDecimalMargin = 1e-14;  // covers 5e-15 (decimal) + 1.2e-16 (product)

std::optional<uint64_t> ScaledInBinary(double magnitude, int places) {
  if (places > kFastPlaces) return std::nullopt;
  const double scaled = magnitude * kPowersOfTen[static_cast<size_t>(places)];
  if (!(scaled < kFastLimit)) return std::nullopt;
  // Truncating is flooring here (scaled is not negative) and needs no library call; through a
  // signed whole number (scaled is far below 2^63), which the processor converts in one step.
  const auto whole = static_cast<uint64_t>(static_cast<int64_t>(scaled));
  const double fraction = scaled - static_cast<double>(whole);  // exact: scaled is below 2^52
  if (std::fabs(fraction - 0.5) <= scaled * kDecimalMargin) return std::nullopt;
  return whole + (fraction > 0.5 ? 1u : 0u);
}

// scaled / 10^places and scaled % 10^places, dividing by a constant for each number of places,
// which the compiler turns into a multiplication: a division by a number only known at run time
// takes the processor tens of cycles, and the cycle formats a few numbers each time.
template <uint64_t kUnit>
std::pair<uint64_t, uint64_t> SplitBy(uint64_t scaled) {
  return {scaled / kUnit, scaled % kUnit};
}

std::pair<uint64_t, uint64_t> SplitScaled(uint64_t scaled, int places) {
  static_assert(kFastPlaces == 9, "one case for each number of places the binary path takes");
  switch (places) {
    case 0:
      return {scaled, 0};
    case 1:
      return SplitBy<10>(scaled);
    case 2:
      return SplitBy<100>(scaled);
    case 3:
      return SplitBy<1000>(scaled);
    case 4:
      return SplitBy<10000>(scaled);
    case 5:
      return SplitBy<100000>(scaled);
    case 6:
      return SplitBy<1000000>(scaled);
    case 7:
      return SplitBy<10000000>(scaled);
    case 8:
      return SplitBy<100000000>(scaled);
    default:
      return SplitBy<1000000000>(scaled);
  }
}

// Appends round(|value| * 10^places) = scaled laid out as the pattern asks, as LayOut lays out
// its digits, written from the last digit backwards into one small buffer: the cycle and the
// replay format some fifteen numbers each, where digit texts and their copies cost more than
// the arithmetic. False (nothing appended) for a pattern asking more integer digits than the
// buffer holds; LayOut takes those.
bool LayOutScaled(std::string& text, bool negative, uint64_t scaled, const PatternShape& shape) {
  constexpr int kMostIntegerDigits = 24;  // scaled < 10^13 has at most 13
  if (shape.minIntegerDigits > kMostIntegerDigits) return false;
  const int places = shape.maxFractionDigits;
  auto [integer, fraction] = SplitScaled(scaled, places);
  int fractionDigits = places;
  while (fractionDigits > shape.minFractionDigits && fraction % 10 == 0) {
    fraction /= 10;
    --fractionDigits;
  }
  std::array<char, kMostIntegerDigits + kFastPlaces + 2> buffer;  // sign, digits, point
  char* const end = buffer.data() + buffer.size();
  char* first = end;
  for (int k = 0; k < fractionDigits; ++k) {
    *--first = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  if (fractionDigits > 0) *--first = '.';
  for (int written = 0; integer > 0 || written < shape.minIntegerDigits; ++written) {
    *--first = static_cast<char>('0' + integer % 10);
    integer /= 10;
  }
  if (negative && scaled != 0) *--first = '-';           // a value that rounds to zero has no minus
  text.append(first, static_cast<size_t>(end - first));  // a plain copy, not a replace
  return true;
}

// The digits of a whole number, zero-padded on the left to at least minDigits.
std::string_view PaddedDigits(uint64_t number, int minDigits, std::array<char, 32>& buffer) {
  std::array<char, 24> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  const auto count = static_cast<size_t>(end - digits.data());
  const auto wanted = static_cast<size_t>(minDigits);
  const size_t padding = count < wanted ? wanted - count : 0;
  std::fill_n(buffer.begin(), padding, '0');
  std::copy(digits.data(), end, buffer.begin() + static_cast<std::ptrdiff_t>(padding));
  return {buffer.data(), padding + count};
}

// The general path: any value, through its 15-digit decimal.
void LayOutThroughDecimal(std::string& text, double value, const PatternShape& shape) {
  const Decimal decimal = ToDecimal(std::fabs(value), 15);
  LayOut(text, value, ScaledDigits(decimal, shape.maxFractionDigits), shape);
}

}  // namespace

NumberPattern::NumberPattern(std::string_view pattern) : shape_(ParsePattern(pattern)) {}

double AppendNumber(std::string& text, double value, const NumberPattern& pattern) {
  const PatternShape& shape = pattern.shape();
  if (!std::isfinite(value)) {
    text += NonFiniteText(value);
    return std::numeric_limits<double>::quiet_NaN();
  }
  const int places = shape.maxFractionDigits;
  if (const auto scaled = ScaledInBinary(std::fabs(value), places)) {
    if (!LayOutScaled(text, value < 0, *scaled, shape)) {
      std::array<char, 32> buffer{};
      LayOut(text, value, PaddedDigits(*scaled, places + 1, buffer), shape);
    }
    // The text states scaled / 10^places exactly, a whole number and a power of ten that are
    // both exact doubles: their quotient is the double nearest the text, as reading it gives.
    const double number = static_cast<double>(*scaled) / kPowersOfTen[static_cast<size_t>(places)];
    return value < 0 && *scaled != 0 ? -number : number;
  }
  const size_t start = text.size();
  LayOutThroughDecimal(text, value, shape);
  // A text beyond the double range (the 15-digit decimal of the largest doubles) reads as none.
  return NumberIfInRange(std::string_view(text).substr(start))
      .value_or(std::numeric_limits<double>::quiet_NaN());
}

std::string FormatNumber(double value, std::string_view pattern) {
  std::string text;
  AppendNumber(text, value, NumberPattern(ShapeOf(pattern)));
  return text;
}

std::string FormatNumberThroughDecimal(double value, std::string_view pattern) {
  const PatternShape shape = ParsePattern(pattern);
  if (!std::isfinite(value)) return NonFiniteText(value);
  std::string text;
  LayOutThroughDecimal(text, value, shape);
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
