#include "support/EngineTestModel.h"

#include "common/NumberText.h"
#include "common/RestrictFalseReport.h"
#include "display/GridValues.h"
#include "model/MainGrid.h"

namespace kavro::test {

void StartController(Controller& controller) {
  ControllerModel& model = controller.model;
  ResetModel(model, ".");
  ApplyDefaults(model);
  for (int r = 1; r <= NumRules; ++r) {
    for (int k = 1; k <= NumTerms; ++k) model.Rules[r].Term[k] = kNotUsed;
  }
  for (int o = 1; o <= NumOut; ++o) model.PVarOut[o].OutputType = kIncr;
  model.FLCBlock.Name1 = "FLC1";
  model.FLCBlock.RunFrequency = 30;
  ShowValuesInGrid(model, controller.grid);
  ShowRulesInGrid(model, controller.grid);
}

void SetZone(MFZone& zone, const std::string& name, std::array<float, 4> points,
             std::array<float, 4> values) {
  zone.MFName = name;
  for (int k = 1; k <= NumPoints; ++k) {
    zone.MFPValue[k] = points[k - 1];
    zone.MFValue[k] = values[k - 1];
  }
}

void SetRule(Controller& controller, int rule, const std::string& op,
             const std::vector<std::pair<int, std::string>>& terms) {
  Rule& record = controller.model.Rules[rule];
  record.Operator = op;
  for (int k = 1; k <= NumTerms; ++k) record.Term[k] = kNotUsed;
  for (const auto& [slot, name] : terms) record.Term[slot] = name;
  ShowRulesInGrid(controller.model, controller.grid);
}

void TypeIntoGrid(Controller& controller, int row, int column, double value) {
  controller.grid.SetText(row, column, FormatNumber(value, "####0.000"));
}

void OneRuleController(Controller& controller) {
  StartController(controller);
  ControllerModel& model = controller.model;
  KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
  model.PVarIn[1].PVarName = "X";
  model.PVarIn[2].PVarName = "Y";
  KAVRO_STRING_RESTRICT_FALSE_REPORT_END
  model.PVarOut[1].PVarName = "OUT";
  model.PVarOut[1].OutputType = kAbs;
  model.PVarOut[1].PVIN = 7;
  model.PVarIn[1].PVIN = 3;
  model.PVarIn[2].PVIN = 4;
  SetZone(model.PVarIn[1].Zone[1], "HIGH", {0, 10, 10, 10}, {0, 1, 1, 1});
  SetZone(model.PVarIn[2].Zone[1], "HIGH", {0, 20, 20, 20}, {0, 1, 1, 1});
  SetZone(model.PVarOut[1].Zone[1], "UP", {50, 50, 50, 50}, {1, 1, 1, 1});
  SetRule(controller, 1, "MIN", {{1, "HIGH"}, {2, "HIGH"}, {7, "UP"}});
}

}  // namespace kavro::test
