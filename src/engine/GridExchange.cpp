#include "engine/GridExchange.h"

#include "common/NumberText.h"

namespace kavro {
namespace {

template <typename Variable>
void TakeVariable(Variable& variable, const MainGrid& grid, int column) {
  variable.PVHigh = ToSingle(grid.Text(grid::kRowHigh, column));
  variable.PVIN = ToSingle(grid.Text(grid::kRowValue, column));
  variable.PVLow = ToSingle(grid.Text(grid::kRowLow, column));
}

template <typename Variable>
void ShowVariable(const Variable& variable, MainGrid& grid, int column) {
  grid.SetText(grid::kRowHigh, column, FormatNumber(variable.PVHigh, "####0.000"));
  grid.SetText(grid::kRowValue, column, FormatNumber(variable.PVIN, "####0.000"));
  grid.SetText(grid::kRowLow, column, FormatNumber(variable.PVLow, "####0.000"));
}

}  // namespace

void TakeValuesFromGrid(ControllerModel& model, const MainGrid& grid) {
  for (int i = 1; i <= NumIn; ++i) TakeVariable(model.PVarIn[i], grid, grid::InputColumn(i));
  for (int o = 1; o <= NumOut; ++o) TakeVariable(model.PVarOut[o], grid, grid::OutputColumn(o));
  for (int r = 1; r <= NumRules; ++r) {
    for (int k = 1; k <= NumTerms; ++k) {
      model.Rules[r].Term[k] = grid.Text(grid::RuleRow(r), grid::TermColumn(k));
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
