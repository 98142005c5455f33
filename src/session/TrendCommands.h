#pragma once
// What the operator does with the trend plot: fixing either end of a variable's scale (a click on
// its scale label), hiding or showing a variable's pen (a click on its name in the main grid)
// and exporting the span the trend shows (File > Export Trend...).
#include "model/Controller.h"

namespace kavro {

inline constexpr const char* kExportTrendPrompt =
    "Trend History will be Saved With .CSV Extension - Enter File Name: ";

// The scale box of the top (lblScaleHi) or bottom (lblScaleLo) of variable index 0..7: asks
// "Enter Plot MAX Value or AUTO" / "Enter Plot MIN Value or AUTO" (title Name1, the label's
// caption as default, "AUTO" when it reads "A:..."). Empty or Cancel: nothing changes. A number
// at or beyond the opposite end, when that end shows a number, is moved 0.1 inside it; the
// label shows it as "####0.0##" and PlotHi / PlotLo takes that text. Exactly "AUTO": the label
// reads "A:" and the setting "AUTO". Anything else changes nothing. A change is held in the
// model (File > Save writes it) and drawn from the next refresh on.
void lblScaleHi_Click(Controller& controller, int index);
void lblScaleLo_Click(Controller& controller, int index);

// A click on the main grid's row 0: a named variable's pen is hidden or shown again.
void MainGridNameClick(Controller& controller, int column);

// Asks for a name and writes the span the trend shows to WorkDir/name.CSV.
void mnuExportTrend(Controller& controller);

}  // namespace kavro
