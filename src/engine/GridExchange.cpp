#include "engine/GridExchange.h"

#include <array>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "engine/ZoneLookup.h"

namespace kavro {
namespace {

// The number of a value cell's text read afresh, and remembered.
float ReadCellNumber(GridNumberMemo& memo, const std::string& text) {
  memo.Remember(text, ToSingle(text));  // a text that is no number throws before it is kept
  return memo.value;
}

// The number in a value cell; a text read in an earlier cycle is not read again (checked in
// line: the cycle asks this of some eight cells, reading is the rare case).
inline float CellNumber(GridNumberMemo& memo, const std::string& text) {
  return memo.Holds(text) ? memo.value : ReadCellNumber(memo, text);
}

// Rows 2, 3 and 4 of the grid: high limit, process value, low limit; and whether each still
// holds the texts whose numbers the memo took from it as a whole (in the replay only the
// process values are typed each cycle: the limits' rows stand still).
struct ValueRows {
  ValueRows(const MainGrid& grid, const EngineMemo& memo)
      : cells{grid.RowCells(grid::kRowHigh), grid.RowCells(grid::kRowValue),
              grid.RowCells(grid::kRowLow)} {
    for (size_t k = 0; k < cells.size(); ++k) {
      stamps[k] = grid.StampOfRowBody(grid::kRowHigh + static_cast<int>(k));
      asTaken[k] = memo.valueRows[k] == stamps[k];
    }
  }
  std::array<const Cell*, 3> cells;
  std::array<CellsStamp, 3> stamps;
  std::array<bool, 3> asTaken{};
};

// PVHigh, PVIN and PVLow from rows 2, 3 and 4 of the variable's column, in that order (a cell
// that is no number throws with the fields before it taken).
template <typename Variable>
void TakeVariable(Variable& variable, EngineMemo& memo, const ValueRows& rows, int column) {
  static_assert(grid::kRowValue == grid::kRowHigh + 1 && grid::kRowLow == grid::kRowHigh + 2);
  MemoOfCell(memo, grid::kRowLow, column);  // the column's three cells lie within the memo
  GridNumberMemo* const cells = &MemoOfCell(memo, grid::kRowHigh, column);
  const auto take = [&](size_t k) {
    return rows.asTaken[k] ? cells[k].value : CellNumber(cells[k], rows.cells[k][column].text);
  };
  variable.PVHigh = take(0);
  variable.PVIN = take(1);
  variable.PVLow = take(2);
}

// Every rule term from the grid's rule rows into the model. A row is passed over when neither
// its cells (their stamp) nor any rule-base text of the model (their revision) changed since it
// was taken: the model's terms are still the row's.
void TakeTerms(ControllerModel& model, const MainGrid& grid, TermRowsMemo& memo) {
  const bool modelAsTaken = memo.model == &model && memo.textRevision == RuleBaseTextRevision();
  const CellsStamp allRows = RuleRowsStamp(grid);
  if (modelAsTaken && memo.allRows == allRows) return;  // no rule row changed
  for (int r = 1; r <= NumRules; ++r) {
    const CellsStamp stamp = RuleCellsStamp(grid, r);
    if (modelAsTaken && memo.rows[r] == stamp) continue;
    const Cell* row = grid.RowCells(grid::RuleRow(r));
    for (int k = 1; k <= NumTerms; ++k) {
      RuleBaseText& term = model.Rules[r].Term[k];
      const std::string& cell = row[grid::TermColumn(k)].text;
      if (!SameText(term, cell)) term = cell;  // most terms stay as they were
    }
    memo.rows[r] = stamp;
  }
  memo.allRows = allRows;
  memo.model = &model;
  memo.textRevision = RuleBaseTextRevision();  // after the terms this copy changed
}

// Every variable's three values as the memo took them, while all three rows still hold what it
// took (the replay types only cells whose numbers it remembers): no text is looked at.
void TakeRememberedValues(ControllerModel& model, const EngineMemo& memo) {
  const auto take = [&memo](auto& variable, int column) {
    const GridNumberMemo* const cells = &memo.gridNumbers[3 * static_cast<size_t>(column)];
    variable.PVHigh = cells[0].value;
    variable.PVIN = cells[1].value;
    variable.PVLow = cells[2].value;
  };
  for (int i = 1; i <= NumIn; ++i) take(model.PVarIn[i], grid::InputColumn(i));
  for (int o = 1; o <= NumOut; ++o) take(model.PVarOut[o], grid::OutputColumn(o));
}

}  // namespace

void TakeValuesFromGrid(ControllerModel& model, const MainGrid& grid, EngineMemo& memo) {
  const ValueRows rows(grid, memo);
  if (rows.asTaken[0] && rows.asTaken[1] && rows.asTaken[2]) {
    TakeRememberedValues(model, memo);
    TakeTerms(model, grid, memo.termRows);
    return;
  }
  for (int i = 1; i <= NumIn; ++i) {
    TakeVariable(model.PVarIn[i], memo, rows, grid::InputColumn(i));
  }
  for (int o = 1; o <= NumOut; ++o) {
    TakeVariable(model.PVarOut[o], memo, rows, grid::OutputColumn(o));
  }
  memo.valueRows = rows.stamps;  // only once every cell was taken: a bad one threw above
  TakeTerms(model, grid, memo.termRows);
}

void TakeValuesFromGrid(ControllerModel& model, const MainGrid& grid) {
  EngineMemo fresh;
  TakeValuesFromGrid(model, grid, fresh);
}

void ExchangeWithGrid(Controller& controller, const CycleSteps& steps, EngineMemo& memo) {
  if (controller.model.Link.LinkStatus == kOn) {
    if (steps.showValues) steps.showValues(controller);
  } else {
    TakeValuesFromGrid(controller.model, controller.grid, memo);
  }
}

}  // namespace kavro
