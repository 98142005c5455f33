// Rounding and 16-bit conversion. Halves go to the even neighbour, as every conversion of the
// controller's numbers to integers does, so that repeated conversions do not drift upwards.
#include <cmath>

#include "common/KavroError.h"
#include "common/NumberText.h"

namespace kavro {

// Worked out from floor() rather than std::nearbyint so the result never depends on the
// floating-point rounding mode someone else may have set.
double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double excess = value - below;
  if (excess < 0.5) return below;
  if (excess > 0.5) return below + 1.0;
  if (excess == 0.5) return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
  return value;  // NaN or infinite: nothing to round
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
