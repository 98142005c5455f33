#include "display/GridValues.h"

#include "common/NumberText.h"
#include "model/MainGrid.h"

namespace kavro {
namespace {

template <typename Variable>
void ShowVariable(const Variable& variable, MainGrid& grid, int column) {
  grid.SetText(grid::kRowHigh, column, FormatNumber(variable.PVHigh, "####0.000"));
  grid.SetText(grid::kRowValue, column, FormatNumber(variable.PVIN, "####0.000"));
  grid.SetText(grid::kRowLow, column, FormatNumber(variable.PVLow, "####0.000"));
}

}  // namespace

void ShowValuesInGrid(const ControllerModel& model, MainGrid& grid) {
  for (int i = 1; i <= NumIn; ++i) ShowVariable(model.PVarIn[i], grid, grid::InputColumn(i));
  for (int o = 1; o <= NumOut; ++o) ShowVariable(model.PVarOut[o], grid, grid::OutputColumn(o));
}

void ShowGridValues(Controller& controller) {
  ShowValuesInGrid(controller.model, controller.grid);
}

void ShowRulesInGrid(const ControllerModel& model, MainGrid& grid) {
  for (int r = 1; r <= NumRules; ++r) {
    grid.SetText(grid::RuleRow(r), grid::kColController, model.Rules[r].Operator);
    for (int k = 1; k <= NumTerms; ++k) {
      grid.SetText(grid::RuleRow(r), grid::TermColumn(k), model.Rules[r].Term[k]);
    }
  }
}

void BlankScriptAdjustCells(MainGrid& grid) {
  for (int k = 1; k <= NumOut; ++k) {
    grid.At(grid::ActiveZoneDegreeRow(1), grid::OutputColumn(k)).text.clear();
  }
}

}  // namespace kavro
