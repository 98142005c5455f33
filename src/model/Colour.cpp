#include "model/Colour.h"

#include <array>
#include <cstddef>

namespace kavro {

Colour PaletteColour(int entry) {
  static constexpr std::array<Colour, 16> kPalette = {
      Colour::FromRgb(0, 0, 0),       Colour::FromRgb(0, 0, 128),
      Colour::FromRgb(0, 128, 0),     Colour::FromRgb(0, 128, 128),
      Colour::FromRgb(128, 0, 0),     Colour::FromRgb(128, 0, 128),
      Colour::FromRgb(128, 128, 0),   Colour::FromRgb(192, 192, 192),
      Colour::FromRgb(128, 128, 128), Colour::FromRgb(0, 0, 255),
      Colour::FromRgb(0, 255, 0),     Colour::FromRgb(0, 255, 255),
      Colour::FromRgb(255, 0, 0),     Colour::FromRgb(255, 0, 255),
      Colour::FromRgb(255, 255, 0),   Colour::FromRgb(255, 255, 255)};
  return kPalette[static_cast<std::size_t>(entry) & 15u];
}

}  // namespace kavro
