#pragma once
// A table of text cells with a text colour and a background colour each: the main grid
// (MSHFlexGrid1) and the output strip (MSHFlexGrid4) are held here, without any window, so the
// engine reads and writes them and tests assert them directly.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Colour.h"

namespace kavro {

// When texts of a table last changed: the table's identity and the number of the change. No two
// tables share an identity (a copy gets its own) and the changes of a table are numbered
// upwards, so an equal stamp means the texts are still those that were stamped.
struct CellsStamp {
  uint64_t table = 0;
  uint64_t change = 0;
  bool operator==(const CellsStamp&) const = default;
};

struct Cell {
  std::string text;
  Colour foreColour = kBlack;
  Colour backColour = kWhite;
};

class CellTable {
 public:
  CellTable(int rows, int cols);
  CellTable(const CellTable& other);
  CellTable& operator=(const CellTable& other);
  CellTable(CellTable&&) noexcept = default;
  CellTable& operator=(CellTable&&) noexcept = default;
  ~CellTable() = default;
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  // Rows and columns count from 0; an address outside the table throws KavroError 9
  // "Subscript out of range" (the grid's own failure for a bad address).
  // Inline: the engine reads cells by the hundred each cycle; the check stays.
  const std::string& Text(int row, int col) const { return At(row, col).text; }
  // Sets the cell's text; a text equal to the cell's own changes nothing, not even the stamp.
  void SetText(int row, int col, std::string text);
  // Colours change no text: the cell keeps its stamp.
  void SetForeColour(int row, int col, Colour colour) {
    cells_[Index(row, col)].foreColour = colour;
  }
  void SetBackColour(int row, int col, Colour colour) {
    cells_[Index(row, col)].backColour = colour;
  }
  // The cell to change as the caller likes: it counts as changed.
  Cell& At(int row, int col) {
    const size_t index = Index(row, col);
    Changed(row, col);
    return cells_[index];
  }
  const Cell& At(int row, int col) const { return cells_[Index(row, col)]; }
  // The stamp of the texts of a row right of its first column (the first column captions the
  // rows, as a rule row's label does with the rule's strength): it moves whenever one of them
  // may have changed, so a reader that remembers it knows the cells still hold what it read. The
  // control engine reads a rule row's operator and terms again only when its stamp moved.
  CellsStamp StampOfRowBody(int row) const {
    Index(row, 0);
    return {identity_, bodyChanges_[static_cast<size_t>(row)]};
  }
  // The stamp of the bodies of rows first..last together. A change gets a number above every
  // earlier one, so the highest number of those rows moves whenever any of them changed: one
  // compare tells a reader of many rows that none of them did. Whole blocks of rows inside the
  // range are read by their block's newest change (the engine asks for the twenty rule rows
  // twice a cycle and more).
  CellsStamp StampOfRowBodies(int first, int last) const {
    Index(first, 0);
    Index(last, 0);
    uint64_t newest = 0;
    int row = first;
    for (; row <= last && row % kBlockRows != 0; ++row) {
      newest = std::max(newest, bodyChanges_[static_cast<size_t>(row)]);
    }
    for (; row + kBlockRows - 1 <= last; row += kBlockRows) {
      newest = std::max(newest, blockBodyChanges_[static_cast<size_t>(row / kBlockRows)]);
    }
    for (; row <= last; ++row) {
      newest = std::max(newest, bodyChanges_[static_cast<size_t>(row)]);
    }
    return {identity_, newest};
  }
  // The cells of one row, columns 0..Cols() - 1 side by side, for readers that take whole rows
  // every cycle (the control engine reads each rule row); a bad row throws as At does.
  const Cell* RowCells(int row) const { return &At(row, 0); }
  // The current cell: the row and column of the last click.
  int CurrentRow() const { return currentRow_; }
  int CurrentCol() const { return currentCol_; }
  void SetCurrent(int row, int col);

 private:
  size_t Index(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) ThrowBadAddress();
    return static_cast<size_t>(row * cols_ + col);
  }
  [[noreturn]] static void ThrowBadAddress();
  static uint64_t NewIdentity();
  void Changed(int row, int col) {
    ++changes_;
    if (col > 0) {
      bodyChanges_[static_cast<size_t>(row)] = changes_;
      // The newest change is the highest so far, so it is its block's newest as well.
      blockBodyChanges_[static_cast<size_t>(row / kBlockRows)] = changes_;
    }
  }
  static constexpr int kBlockRows = 8;
  int rows_;
  int cols_;
  std::vector<Cell> cells_;
  uint64_t identity_ = NewIdentity();
  uint64_t changes_ = 0;               // changes made to the table's texts so far
  std::vector<uint64_t> bodyChanges_;  // per row: the number of its body's last change
  std::vector<uint64_t> blockBodyChanges_;  // per block of kBlockRows rows: the newest of those
  int currentRow_ = 0;
  int currentCol_ = 0;
};

}  // namespace kavro
