#pragma once
// The pen colours of the variables: pen 1..6 for inputs 1..6, pen 7..8 for outputs 1..2. They
// colour a variable's name in the main grid, its trend line and the script adjustment cells.
#include "model/Colour.h"
#include "model/Dimensions.h"

namespace kavro {

// Pen 1..8: palette entries 9, 2, 11, 0, 13, 10, 12, 4.
Colour PenColor(int pen);

inline int InputPen(int input) { return input; }
inline int OutputPen(int output) { return NumIn + output; }

}  // namespace kavro
