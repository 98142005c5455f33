#pragma once
// The cycle's exchange with the main grid. With the link off the grid is the source: the
// operator types process values, limits and rule terms there. With the link on the grid shows
// the values the link read, written there by the display through steps.showValues, which the
// session fills in.
#include <string>

#include "engine/CycleSteps.h"
#include "engine/EngineMemo.h"
#include "model/Controller.h"

namespace kavro {

// Link off: PVHigh, PVIN, PVLow of every input and output from rows 2, 3, 4 of its column, then
// every rule term from the rule rows. A cell that is not a number throws 13 "Type mismatch"
// (the fields read before it keep their new values).
void TakeValuesFromGrid(ControllerModel& model, const MainGrid& grid, EngineMemo& memo);
void TakeValuesFromGrid(ControllerModel& model, const MainGrid& grid);

// Remembers that the text just typed into value cell (row 2, 3 or 4, a variable's column) is
// the number given, as the replay knows it from reading its trace: the next exchange takes the
// number without reading the text again. Another row throws KavroError 9.
void RememberCellNumber(EngineMemo& memo, int row, int column, const std::string& text,
                        float number);

// Step 4 of the cycle, by LinkStatus: the values from the grid (link off), or the grid shown
// the values the link read through steps.showValues (link on).
void ExchangeWithGrid(Controller& controller, const CycleSteps& steps, EngineMemo& memo);

}  // namespace kavro
