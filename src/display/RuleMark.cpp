#include "display/RuleMark.h"

namespace kavro {

Colour RuleStrengthColour(double strength) {
  if (strength > 0) return PaletteColour(12);
  if (strength < 0) return PaletteColour(9);
  return PaletteColour(1);
}

}  // namespace kavro
