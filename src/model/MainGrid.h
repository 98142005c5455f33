#pragma once
// Addressing of the main grid: which row and column hold what. Input i sits in column i + 1,
// output k in column NumIn + 1 + k, rule r in row r + 11; rule term slot j lives in column j + 1.
#include "model/CellTable.h"
#include "model/Dimensions.h"

namespace kavro {

namespace grid {
inline constexpr int kRows = 33;
inline constexpr int kCols = NumIn + NumOut + 2;  // 10
inline constexpr int kRowName = 0;
inline constexpr int kRowConfig = 1;
inline constexpr int kRowHigh = 2;
inline constexpr int kRowValue = 3;
inline constexpr int kRowLow = 4;
inline constexpr int kRowZoneName1 = 5;  // zone n name in row 5 + 2(n-1), degree one below
inline constexpr int kRowRulesHeader = 11;
inline constexpr int kFirstRuleRow = 12;
inline constexpr int kLastRuleRow = 31;
inline constexpr int kColLabel = 0;
inline constexpr int kColController = 1;  // the rule's operator in rule rows

constexpr int InputColumn(int input) { return input + 1; }
constexpr int OutputColumn(int output) { return NumIn + 1 + output; }
constexpr int TermColumn(int termSlot) { return termSlot + 1; }
constexpr int RuleRow(int rule) { return rule + 11; }
constexpr int RuleOfRow(int row) { return row - 11; }
constexpr int ActiveZoneNameRow(int n) { return kRowZoneName1 + 2 * (n - 1); }
constexpr int ActiveZoneDegreeRow(int n) { return ActiveZoneNameRow(n) + 1; }
// A column is an input column when it is less than the column count minus NumOut.
constexpr bool IsInputColumn(int col) { return col >= 2 && col < kCols - NumOut; }
constexpr bool IsOutputColumn(int col) { return col >= kCols - NumOut && col < kCols; }
}  // namespace grid

// MSHFlexGrid1: 33 rows by 10 columns.
class MainGrid : public CellTable {
 public:
  MainGrid() : CellTable(grid::kRows, grid::kCols) {}
};

// MSHFlexGrid4: one row whose columns line up with the main grid's.
class OutputStrip : public CellTable {
 public:
  OutputStrip() : CellTable(1, grid::kCols) {}
};

}  // namespace kavro
