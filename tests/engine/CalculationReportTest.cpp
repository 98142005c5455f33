#include "engine/CalculationReport.h"

#include <gtest/gtest.h>

#include "support/EngineTestModel.h"

namespace kavro::test {
namespace {

TEST(CalculationReport, ListsOutputsThenInputsWithTheirExactTexts) {
  Controller controller;
  StartController(controller);
  ControllerModel& model = controller.model;
  model.HistCount = 12;
  PVarOutRecord& output = model.PVarOut[1];
  output.PVarName = "FC101";
  output.ClampIncrease = true;
  output.IncreaseCounter = 4;
  output.SendOutput = false;
  output.Change_Time = 5;
  output.Max_Change = 2;
  output.Wait_Change = 10.5f;
  output.PVIN = 42.5f;
  output.History[2] = 40;  // HistCount 12 - ChangeLag 10
  model.PVarOut[2].Change_Time = 5;  // no name: listed all the same
  model.PVarOut[2].PVIN = -1.25f;
  model.PVarOut[2].History[2] = 1;
  model.PVarIn[1].PVarName = "TI101";
  model.PVarIn[1].Slope = {0, 0.25f, -1.5f, 1234.5678f};

  const auto lines = CalculationReportLines(model, DateTime{2026, 3, 7, 8, 5, 9});

  const std::vector<std::string> head = {
      "Mar-07-2026 08:05:09", "   ", "History: 12 points", std::string(34, '-'),
      "FC101", "Clamp Decrease = False", "Decrease Counter = 0", "Clamp Increase = True",
      "Increase Counter = 4", "Send Output = False", "Change Time = 5.0", "Max Change = 2.00",
      "Wait Time = 10.50", "Change Now = 2.50", std::string(34, '-'),
      "", "Clamp Decrease = False", "Decrease Counter = 0", "Clamp Increase = False",
      "Increase Counter = 0", "Send Output = False", "Change Time = 5.0", "Max Change = 0.00",
      "Wait Time = 0.00", "Change Now = -2.25", std::string(34, '-'),
      "TI101", "Slopes At: 3/8/20", "Slopes: 0.250/-1.500/1234.568", std::string(34, '-'),
      "", "Slopes At: 3/8/20", "Slopes: 0.000/0.000/0.000", std::string(34, '-')};
  ASSERT_EQ(lines.size(), 4u + 2 * 11 + 6 * 4);
  for (size_t k = 0; k < head.size(); ++k) EXPECT_EQ(lines[k], head[k]) << "line " << k;
}

TEST(CalculationReport, TooLittleHistoryIsSaidSo) {
  Controller controller;
  StartController(controller);
  ControllerModel& model = controller.model;
  model.HistCount = 5;
  for (int o = 1; o <= NumOut; ++o) model.PVarOut[o].Change_Time = 5;  // ChangeLag 10
  const auto lines = CalculationReportLines(model, DateTime{});
  EXPECT_EQ(lines[13], "Change Now = Insufficient History");
  EXPECT_EQ(lines[24], "Change Now = Insufficient History");
}

}  // namespace
}  // namespace kavro::test
