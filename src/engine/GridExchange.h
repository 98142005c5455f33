#pragma once
// The cycle's exchange with the main grid. With the link off the grid is the source: the
// operator types process values, limits and rule terms there. With the link on the grid shows
// the values the link read.
#include "engine/EngineMemo.h"
#include "model/ControllerModel.h"
#include "model/MainGrid.h"

namespace kavro {

// Link off: PVHigh, PVIN, PVLow of every input and output from rows 2, 3, 4 of its column, then
// every rule term from the rule rows. A cell that is not a number throws 13 "Type mismatch"
// (the fields read before it keep their new values).
void TakeValuesFromGrid(ControllerModel& model, const MainGrid& grid, EngineMemo& memo);
void TakeValuesFromGrid(ControllerModel& model, const MainGrid& grid);

// Types text into value cell (row 2, 3 or 4, a variable's column) when its number is already
// known to be ToSingle(text), as offline replay knows it from reading its trace: the next
// exchange takes the number without reading the text again.
void TypeValueCell(MainGrid& grid, EngineMemo& memo, int row, int column, const std::string& text,
                   float number);

// Link on: rows 2, 3, 4 of every variable's column show PVHigh, PVIN, PVLow as "####0.000".
void ShowValuesInGrid(const ControllerModel& model, MainGrid& grid);

// The rule rows show each rule's operator (column 1) and terms, as the main display does; a
// headless controller fills its grid this way before its first cycle.
void ShowRulesInGrid(const ControllerModel& model, MainGrid& grid);

// Step 5 of the cycle: one of the two above, by LinkStatus.
void ExchangeWithGrid(ControllerModel& model, MainGrid& grid, EngineMemo& memo);
void ExchangeWithGrid(ControllerModel& model, MainGrid& grid);

}  // namespace kavro
