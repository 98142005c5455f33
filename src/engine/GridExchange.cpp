#include "engine/GridExchange.h"

#include "common/NumberText.h"
#include "engine/ZoneLookup.h"

namespace kavro {
namespace {

// The number in a value cell; a text read in an earlier cycle is not read again.
float CellNumber(CellNumberMemo& memo, const std::string& text) {
  if (!memo.filled || !SameText(memo.text, text)) {
    memo.value = ToSingle(text);  // a text that is no number throws before it is remembered
    memo.text = text;
    memo.filled = true;
  }
  return memo.value;
}

template <typename Variable>
void TakeVariable(Variable& variable, ControllerModel& model, const MainGrid& grid, int column) {
  auto* memo = &model.Memo.gridNumbers[3 * static_cast<size_t>(column)];
  variable.PVHigh = CellNumber(memo[0], grid.Text(grid::kRowHigh, column));
  variable.PVIN = CellNumber(memo[1], grid.Text(grid::kRowValue, column));
  variable.PVLow = CellNumber(memo[2], grid.Text(grid::kRowLow, column));
}

template <typename Variable>
void ShowVariable(const Variable& variable, MainGrid& grid, int column) {
  grid.SetText(grid::kRowHigh, column, FormatNumber(variable.PVHigh, "####0.000"));
  grid.SetText(grid::kRowValue, column, FormatNumber(variable.PVIN, "####0.000"));
  grid.SetText(grid::kRowLow, column, FormatNumber(variable.PVLow, "####0.000"));
}

}  // namespace

void TakeValuesFromGrid(ControllerModel& model, const MainGrid& grid) {
  for (int i = 1; i <= NumIn; ++i) {
    TakeVariable(model.PVarIn[i], model, grid, grid::InputColumn(i));
  }
  for (int o = 1; o <= NumOut; ++o) {
    TakeVariable(model.PVarOut[o], model, grid, grid::OutputColumn(o));
  }
  for (int r = 1; r <= NumRules; ++r) {
    for (int k = 1; k <= NumTerms; ++k) {
      std::string& term = model.Rules[r].Term[k];
      const std::string& cell = grid.Text(grid::RuleRow(r), grid::TermColumn(k));
      if (!SameText(term, cell)) term = cell;  // most terms stay as they were
    }
  }
}

void ShowValuesInGrid(const ControllerModel& model, MainGrid& grid) {
  for (int i = 1; i <= NumIn; ++i) ShowVariable(model.PVarIn[i], grid, grid::InputColumn(i));
  for (int o = 1; o <= NumOut; ++o) ShowVariable(model.PVarOut[o], grid, grid::OutputColumn(o));
}

void ShowRulesInGrid(const ControllerModel& model, MainGrid& grid) {
  for (int r = 1; r <= NumRules; ++r) {
    grid.SetText(grid::RuleRow(r), grid::kColController, model.Rules[r].Operator);
    for (int k = 1; k <= NumTerms; ++k) {
      grid.SetText(grid::RuleRow(r), grid::TermColumn(k), model.Rules[r].Term[k]);
    }
  }
}

void ExchangeWithGrid(ControllerModel& model, MainGrid& grid) {
  if (model.Link.LinkStatus == kOn) {
    ShowValuesInGrid(model, grid);
  } else {
    TakeValuesFromGrid(model, grid);
  }
}

}  // namespace kavro
