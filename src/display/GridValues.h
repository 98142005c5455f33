#pragma once
// What the main grid shows of the engine's values and rules: the value rows of every
// variable's column while the link is on, the rule rows' operators and terms as the rule
// records hold them, and the script-adjust cells of a post-process script switched off.
#include "model/Controller.h"

namespace kavro {

// Rows 2, 3, 4 of every variable's column show PVHigh, PVIN, PVLow as "####0.000".
void ShowValuesInGrid(const ControllerModel& model, MainGrid& grid);

// The cycle's step 4 while the link is on, minimised or held alike: these texts are what the
// engine reads back from the grid once the link is switched off.
void ShowGridValues(Controller& controller);

// The rule rows show each rule's operator (column 1) and terms, as the main display does.
void ShowRulesInGrid(const ControllerModel& model, MainGrid& grid);

// Row 6 of the output columns is blank once the post-process script is switched off.
void BlankScriptAdjustCells(MainGrid& grid);

}  // namespace kavro
