#pragma once
// Typing into the main grid's value cells as an operator types there with the link off: the
// replay enters each trace row this way, so the next cycle reads the values from the grid as
// it reads the operator's.
#include <array>
#include <string>

#include "common/ShortTextCopy.h"
#include "engine/EngineMemo.h"
#include "engine/GridExchange.h"
#include "model/MainGrid.h"

namespace kavro {

// One row of typing (the replay's trace row), cell after cell. The cells' numbers are known,
// so the next exchange takes them without reading their texts; and a value row the last
// exchange took whole, in which only such cells are typed, stays taken (Finish). In line: the
// replay types six or so cells a cycle.
class ValueTyping {
 public:
  ValueTyping(MainGrid& grid, EngineMemo& memo) : grid_(grid), memo_(memo) {
    for (int row = grid::kRowHigh; row <= grid::kRowLow; ++row) {
      keep_[Index(row)] = IsValueRowTaken(memo, row, grid.StampOfRowBody(row));
    }
  }
  // Types text into value cell (row 2, 3 or 4, a variable's column) when its number is already
  // known to be ToSingle(text), as the replay knows it from reading its trace. Another row
  // throws KavroError 9, before anything is typed.
  void Number(int row, int column, const std::string& text, float number) {
    RememberCellNumber(memo_, row, column, text, number);
    AssignText(grid_.At(row, column).text, text);
  }
  // Types a text that is no number into a cell: the next cycle reports it as the operator's.
  void Text(int row, int column, const std::string& text) {
    grid_.At(row, column).text = text;
    if (row >= grid::kRowHigh && row <= grid::kRowLow) keep_[Index(row)] = false;
  }
  // The value rows that were taken and changed since only by Number stay taken.
  void Finish() {
    for (int row = grid::kRowHigh; row <= grid::kRowLow; ++row) {
      if (keep_[Index(row)]) KeepValueRowTaken(memo_, row, grid_.StampOfRowBody(row));
    }
  }

 private:
  static size_t Index(int row) { return static_cast<size_t>(row - grid::kRowHigh); }
  MainGrid& grid_;
  EngineMemo& memo_;
  std::array<bool, 3> keep_{};
};

}  // namespace kavro
