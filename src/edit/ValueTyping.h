#pragma once
// Typing into the main grid's value cells as an operator types there with the link off: the
// replay enters each trace row this way, so the next cycle reads the values from the grid as
// it reads the operator's.
#include <string>

#include "common/ShortTextCopy.h"
#include "engine/EngineMemo.h"
#include "engine/GridExchange.h"
#include "model/MainGrid.h"

namespace kavro {

// Types text into value cell (row 2, 3 or 4, a variable's column) when its number is already
// known to be ToSingle(text), as the replay knows it from reading its trace: the next exchange
// takes the number without reading the text again. Another row throws KavroError 9.
// In line: the replay types six or so cells a cycle.
inline void TypeValueCell(MainGrid& grid, EngineMemo& memo, int row, int column,
                          const std::string& text, float number);

// Types a text that is no number into a cell: the next cycle reports it as the operator's.
void TypeCellText(MainGrid& grid, int row, int column, const std::string& text);

inline void TypeValueCell(MainGrid& grid, EngineMemo& memo, int row, int column,
                          const std::string& text, float number) {
  // Remembered first: a cell that is no value cell throws there, before anything is typed.
  const bool rowTaken =
      RememberCellNumber(memo, row, column, text, number, grid.StampOfRowBody(row));
  AssignText(grid.At(row, column).text, text);
  // The one change since the row's numbers were taken is this cell's, whose number is known.
  if (rowTaken) KeepValueRowTaken(memo, row, grid.StampOfRowBody(row));
}

}  // namespace kavro
