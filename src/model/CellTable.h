#pragma once
// A table of text cells with a text colour and a background colour each: the main grid
// (MSHFlexGrid1) and the output strip (MSHFlexGrid4) are held here, without any window, so the
// engine reads and writes them and tests assert them directly.
#include <string>
#include <vector>

#include "model/Colour.h"

namespace kavro {

struct Cell {
  std::string text;
  Colour foreColour = kBlack;
  Colour backColour = kWhite;
};

class CellTable {
 public:
  CellTable(int rows, int cols);
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  // Rows and columns count from 0; an address outside the table throws KavroError 9
  // "Subscript out of range" (the grid's own failure for a bad address).
  // Inline: the engine reads cells by the hundred each cycle; the check stays.
  const std::string& Text(int row, int col) const { return At(row, col).text; }
  void SetText(int row, int col, std::string text);
  Cell& At(int row, int col) { return cells_[static_cast<size_t>(Index(row, col))]; }
  const Cell& At(int row, int col) const { return cells_[static_cast<size_t>(Index(row, col))]; }
  // The cells of one row, columns 0..Cols() - 1 side by side, for readers that take whole rows
  // every cycle (the control engine reads each rule row); a bad row throws as At does.
  const Cell* RowCells(int row) const { return &At(row, 0); }
  // The current cell: the row and column of the last click.
  int CurrentRow() const { return currentRow_; }
  int CurrentCol() const { return currentCol_; }
  void SetCurrent(int row, int col);

 private:
  int Index(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) ThrowBadAddress();
    return row * cols_ + col;
  }
  [[noreturn]] static void ThrowBadAddress();
  int rows_;
  int cols_;
  std::vector<Cell> cells_;
  int currentRow_ = 0;
  int currentCol_ = 0;
};

}  // namespace kavro
