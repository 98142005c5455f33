// Rounding and 16-bit conversion. Halves go to the even neighbour, as every conversion of the
// controller's numbers to integers does, so that repeated conversions do not drift upwards.
#include "common/NumberText.h"

#include <cmath>
#include <cstdint>

#include "common/KavroError.h"

namespace kavro {

// Worked out from the whole part rather than std::nearbyint so the result never depends on
// the floating-point rounding mode someone else may have set.
double RoundHalfEven(double value) {
  // From 2^52 up every double is whole; NaN and the infinities have nothing to round; a zero
  // keeps its sign.
  if (!(std::fabs(value) < 0x1p52) || value == 0.0) return value;
  // The floor without a library call (the cycle rounds some five numbers): below 2^52 the
  // whole part fits a 64-bit integer exactly.
  const auto whole = static_cast<int64_t>(value);  // towards zero
  const int64_t floor = static_cast<double>(whole) > value ? whole - 1 : whole;
  const double below = static_cast<double>(floor);
  const double excess = value - below;  // exact
  if (excess < 0.5) return below;
  if (excess > 0.5) return below + 1.0;
  return floor % 2 == 0 ? below : below + 1.0;
}

int16_t ToInt16(double value) {
  const double rounded = RoundHalfEven(value);
  // Written so that NaN fails the test too.
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
    throw KavroError(errors::kOverflow, errors::kOverflowText);
  }
  return static_cast<int16_t>(rounded);
}

}  // namespace kavro
