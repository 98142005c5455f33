#pragma once
// The cycle's exchange with the main grid. With the link off the grid is the source: the
// operator types process values, limits and rule terms there. With the link on the grid shows
// the values the link read, written there by the display through steps.showValues, which the
// session fills in.
#include <string>
#include <string_view>
#include <tuple>

#include "common/KavroError.h"
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
// number without reading the text again. Another row throws KavroError 9. The row counts as
// not taken until a typist that knows better says otherwise (KeepValueRowTaken).
inline void RememberCellNumber(EngineMemo& memo, int row, int column, const std::string& text,
                               float number);
// Whether the last exchange took every number of value row row as it stands at rowNow (its
// stamp). A typist that finds so before typing, and then changes only cells whose numbers it
// remembered, may keep the row taken under its new stamp: the next exchange takes the row
// without comparing its texts.
inline bool IsValueRowTaken(const EngineMemo& memo, int row, const CellsStamp& rowNow);
inline void KeepValueRowTaken(EngineMemo& memo, int row, const CellsStamp& rowNow);

// Step 4 of the cycle, by LinkStatus: the values from the grid (link off), or the grid shown
// the values the link read through steps.showValues (link on).
void ExchangeWithGrid(Controller& controller, const CycleSteps& steps, EngineMemo& memo);

// Defined here, in line: the replay remembers six or so cells a cycle.

inline GridNumberMemo& MemoOfCell(EngineMemo& memo, int row, int column) {
  static_assert(std::tuple_size_v<decltype(EngineMemo::gridNumbers)> == 3 * grid::kCols,
                "one remembered number per value cell of every grid column");
  // at(): a column beyond the memo is a fault to report, never a write past it.
  return memo.gridNumbers.at(3 * static_cast<size_t>(column) +
                             static_cast<size_t>(row - grid::kRowHigh));
}

inline size_t ValueRowIndex(int row) {
  if (row < grid::kRowHigh || row > grid::kRowLow) {
    throw KavroError(errors::kSubscript, errors::kSubscriptText);
  }
  return static_cast<size_t>(row - grid::kRowHigh);
}

inline void RememberCellNumber(EngineMemo& memo, int row, int column, const std::string& text,
                               float number) {
  const size_t k = ValueRowIndex(row);
  GridNumberMemo& cell = MemoOfCell(memo, row, column);
  memo.valueRows[k] = {};
  cell.Remember(text, number);
}

inline bool IsValueRowTaken(const EngineMemo& memo, int row, const CellsStamp& rowNow) {
  return rowNow != CellsStamp{} && memo.valueRows[ValueRowIndex(row)] == rowNow;
}

inline void KeepValueRowTaken(EngineMemo& memo, int row, const CellsStamp& rowNow) {
  memo.valueRows[ValueRowIndex(row)] = rowNow;
}

}  // namespace kavro
