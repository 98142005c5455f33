#include "display/PenColours.h"

#include <array>

#include "common/KavroError.h"

namespace kavro {

Colour PenColor(int pen) {
  static constexpr std::array<int, 9> kPaletteOfPen = {0, 9, 2, 11, 0, 13, 10, 12, 4};
  if (pen < 1 || pen > 8) throw KavroError(errors::kSubscript, errors::kSubscriptText);
  return PaletteColour(kPaletteOfPen[static_cast<std::size_t>(pen)]);
}

}  // namespace kavro
