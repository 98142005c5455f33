#include "display/ColourScale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kavro {

namespace {

// Stops of the scale, evenly spaced from low to high.
constexpr std::array<Colour, 5> kStops = {
    Colour::FromRgb(68, 1, 84), Colour::FromRgb(59, 82, 139), Colour::FromRgb(33, 145, 140),
    Colour::FromRgb(94, 201, 98), Colour::FromRgb(253, 231, 37)};

int Blend(int a, int b, double t) {
  return static_cast<int>(std::lround(a + (b - a) * t));
}

}  // namespace

Colour ScaleColour(float value, float low, float high) {
  if (std::isnan(value)) return kNoValueColour;
  const double width = static_cast<double>(high) - low;
  double t = width > 0 ? (value - static_cast<double>(low)) / width : 0.5;
  t = std::fmin(std::fmax(t, 0.0), 1.0);
  const double at = t * (kStops.size() - 1);
  const size_t stop = std::min(static_cast<size_t>(at), kStops.size() - 2);
  const double f = at - static_cast<double>(stop);
  const Colour a = kStops[stop];
  const Colour b = kStops[stop + 1];
  return Colour::FromRgb(Blend(a.Red(), b.Red(), f), Blend(a.Green(), b.Green(), f),
                         Blend(a.Blue(), b.Blue(), f));
}

}  // namespace kavro
