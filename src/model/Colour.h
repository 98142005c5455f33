#pragma once
// Colours as the window shows them: 0xRRGGBB.
#include <cstdint>

namespace kavro {

struct Colour {
  uint32_t rgb = 0;
  constexpr bool operator==(const Colour&) const = default;
  static constexpr Colour FromRgb(int r, int g, int b) {
    return Colour{static_cast<uint32_t>((r << 16) | (g << 8) | b)};
  }
  constexpr int Red() const { return static_cast<int>((rgb >> 16) & 0xFF); }
  constexpr int Green() const { return static_cast<int>((rgb >> 8) & 0xFF); }
  constexpr int Blue() const { return static_cast<int>(rgb & 0xFF); }
};

inline constexpr Colour kBlack = Colour::FromRgb(0, 0, 0);
inline constexpr Colour kWhite = Colour::FromRgb(255, 255, 255);
// The background of an indicator that is off.
inline constexpr Colour OffColour = Colour::FromRgb(255, 192, 128);

// The standard 16-colour palette; entry n (0..15) is QBColor(n).
Colour PaletteColour(int entry);

}  // namespace kavro
