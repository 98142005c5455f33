#include "engine/RuleEvaluation.h"

#include <gtest/gtest.h>

#include "support/EngineTestModel.h"
#include "engine/Fuzzify.h"
#include "model/MainGrid.h"

namespace kavro::test {
namespace {

// Inputs 1 and 2 each have zone "A" whose degree is set directly.
class RuleEvaluationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartController(controller);
    controller.model.PVarIn[1].Zone[3].MFName = "A";
    controller.model.PVarIn[2].Zone[5].MFName = "A";
  }
  void Degrees(float first, float second) {
    controller.model.PVarIn[1].Zone[3].MFDegree = first;
    controller.model.PVarIn[2].Zone[5].MFDegree = second;
  }
  std::string StrengthWith(const std::string& op, std::vector<std::pair<int, std::string>> terms) {
    SetRule(controller, 1, op, terms);
    EvaluateRules(controller.model, controller.grid);
    return controller.model.Rules[1].Strength;
  }
  Controller controller;
};

TEST_F(RuleEvaluationTest, EachOperatorCombinesTheTermDegrees) {
  Degrees(0.6f, 0.3f);
  const std::vector<std::pair<int, std::string>> two = {{1, "A"}, {2, "A"}};
  EXPECT_EQ(StrengthWith("MIN", two), "0.3000");
  EXPECT_EQ(StrengthWith("MAX", two), "0.6000");
  EXPECT_EQ(StrengthWith("PROD", two), "0.1800");
  EXPECT_EQ(StrengthWith("ASUM", two), "0.7200");
  EXPECT_EQ(StrengthWith("BSUM", two), "0.9000");
  EXPECT_EQ(StrengthWith("BDIF", two), "0.0000");

  Degrees(0.4f, 0.0f);
  const std::vector<std::pair<int, std::string>> one = {{1, "A"}};
  EXPECT_EQ(StrengthWith("ASUM", one), "0.0000");
  EXPECT_EQ(StrengthWith("BSUM", one), "0.4000");
  EXPECT_EQ(StrengthWith("BDIF", one), "0.0000");

  Degrees(0.8f, 0.7f);
  EXPECT_EQ(StrengthWith("BSUM", two), "1.0000");  // bounded at 1
}

TEST_F(RuleEvaluationTest, CombinedResultsKeepTheirOddBoundsBeyondUnitDegrees) {
  // Degrees above 1 only arise from hand-edited data; the bounds then show.
  const float degrees[] = {2.5f, 2.0f};
  const OperatorResults results = CombineDegrees(degrees);
  EXPECT_FLOAT_EQ(results[4], 1.5f);  // BDIF = sum - n - 1
  EXPECT_FLOAT_EQ(results[5], -0.5f); // ASUM = sum - product, only bounded above
  EXPECT_FLOAT_EQ(results[6], 1.0f);
  const OperatorResults none = CombineDegrees({});
  EXPECT_FLOAT_EQ(none[1], 10000.0f);
  EXPECT_FLOAT_EQ(none[2], -10000.0f);
}

TEST_F(RuleEvaluationTest, OperatorComesFromTheGridAndMustMatchExactly) {
  Degrees(0.6f, 0.3f);
  SetRule(controller, 1, "MIN", {{1, "A"}, {2, "A"}});
  controller.grid.SetText(grid::RuleRow(1), grid::kColController, "MAX");  // record says MIN
  EvaluateRules(controller.model, controller.grid);
  EXPECT_EQ(controller.model.Rules[1].Strength, "0.6000");

  controller.grid.SetText(grid::RuleRow(1), grid::kColController, "min");
  EvaluateRules(controller.model, controller.grid);
  EXPECT_EQ(controller.model.Rules[1].Strength, "Not Used");
}

TEST_F(RuleEvaluationTest, TermsNamingNoZoneAreNotCounted) {
  Degrees(0.6f, 0.3f);
  // "a" names no zone (names are case-sensitive): PROD is over input 2's degree alone.
  EXPECT_EQ(StrengthWith("PROD", {{1, "a"}, {2, "A"}}), "0.3000");
  EXPECT_EQ(StrengthWith("MIN", {{1, "Nowhere"}}), "Not Used");
  EXPECT_EQ(StrengthWith("MIN", {}), "Not Used");
  // Output terms do not make a rule fire.
  EXPECT_EQ(StrengthWith("MIN", {{7, "Zone 1"}}), "Not Used");
  // The first zone with the name wins.
  controller.model.PVarIn[1].Zone[6].MFName = "A";
  controller.model.PVarIn[1].Zone[6].MFDegree = 0.9f;
  EXPECT_EQ(StrengthWith("MAX", {{1, "A"}}), "0.6000");
}

TEST_F(RuleEvaluationTest, RenamedZonesAndChangedTermsAreFoundAfresh) {
  Degrees(0.6f, 0.3f);
  EXPECT_EQ(StrengthWith("MIN", {{1, "A"}}), "0.6000");
  controller.model.PVarIn[1].Zone[3].MFName = "B";  // renamed between cycles
  EvaluateRules(controller.model, controller.grid);
  EXPECT_EQ(controller.model.Rules[1].Strength, "Not Used");
  controller.model.PVarIn[1].Zone[5].MFName = "A";
  controller.model.PVarIn[1].Zone[5].MFDegree = 0.2f;
  EvaluateRules(controller.model, controller.grid);
  EXPECT_EQ(controller.model.Rules[1].Strength, "0.2000");
  controller.model.Rules[1].Term[1] = "B";
  EvaluateRules(controller.model, controller.grid);
  EXPECT_EQ(controller.model.Rules[1].Strength, "0.6000");
}

TEST_F(RuleEvaluationTest, StrengthIsRoundedToFourDecimalsEachCycle) {
  Degrees(0.123456f, 0.0f);
  EXPECT_EQ(StrengthWith("MIN", {{1, "A"}}), "0.1235");
  Degrees(0.98766f, 0.0f);  // a changed degree gives a new text, not the remembered one
  EvaluateRules(controller.model, controller.grid);
  EXPECT_EQ(controller.model.Rules[1].Strength, "0.9877");
}

TEST_F(RuleEvaluationTest, SlopeCorrectionScalesTermDegreesOnceEnoughHistoryIsHeld) {
  PVarInRecord input;
  input.Slope[1] = 0.2f;
  input.Slope[2] = 0.4f;
  input.PVIN = 100;
  EXPECT_FLOAT_EQ(SlopeCorrectionFactor(input), 0.125f);
  input.Slope[1] = 0.8f;
  input.Slope[2] = -0.4f;  // a = -2 and b < 0
  EXPECT_FLOAT_EQ(SlopeCorrectionFactor(input), 0.25f);
  input.Slope[2] = 0.0f;  // a and b count as 0
  EXPECT_FLOAT_EQ(SlopeCorrectionFactor(input), 0.25f);
  input.Slope[1] = 300.0f;
  input.Slope[2] = 200.0f;  // a = 1.5, b = 2
  EXPECT_FLOAT_EQ(SlopeCorrectionFactor(input), 1.0f);

  ControllerModel& model = controller.model;
  model.FLCBlock.SlopeCorr = true;
  model.PVarIn[1].Slope[1] = 0.2f;
  model.PVarIn[1].Slope[2] = 0.4f;
  model.PVarIn[1].PVIN = 100;
  Degrees(0.8f, 0.0f);
  model.HistCount = 7;  // fewer samples than slope window 2
  EXPECT_EQ(StrengthWith("MIN", {{1, "A"}}), "0.8000");
  model.HistCount = 8;
  EXPECT_EQ(StrengthWith("MIN", {{1, "A"}}), "0.1000");
  model.FLCBlock.SlopeCorr = false;
  EXPECT_EQ(StrengthWith("MIN", {{1, "A"}}), "0.8000");
}

}  // namespace
}  // namespace kavro::test
