#pragma once
// The one colour scale of the control surface's map and its legend: dark blue for the lowest
// value through teal and green to yellow for the highest, readable in grey print and by most
// colour-blind engineers.
#include "model/Colour.h"

namespace kavro {

// The colour of value on the scale from low to high (clamped to its ends). A scale of no width
// gives its middle colour; a value that is not a number gives grey.
Colour ScaleColour(float value, float low, float high);

inline constexpr Colour kNoValueColour = Colour::FromRgb(160, 160, 160);

}  // namespace kavro
