#include "engine/Defuzzify.h"

#include <gtest/gtest.h>

#include "support/EngineTestModel.h"
#include "common/KavroError.h"
#include "engine/EngineMemo.h"
#include "engine/RuleEvaluation.h"
#include "model/MainGrid.h"

namespace kavro::test {
namespace {

// Output 1 has zones "Up" (value 2) and "Down" (value -4), both of weight 1; rules 1 and 2 name
// them with strengths 0.5 and 1.0.
class DefuzzifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartController(controller);
    PVarOutRecord& output = controller.model.PVarOut[1];
    SetZone(output.Zone[1], "Up", {2, 3, 4, 5}, {1, 1, 1, 0});
    SetZone(output.Zone[2], "Down", {-4, -3, -2, -1}, {1, 1, 1, 0});
    output.PVIN = 50;
    SetRule(controller, 1, "MIN", {{1, "Zone 1"}, {7, "Up"}});
    SetRule(controller, 2, "MIN", {{1, "Zone 1"}, {7, "Down"}});
    Strengths("0.5000", "1.0000");
  }
  void Strengths(const std::string& first, const std::string& second) {
    controller.model.Rules[1].Strength = first;
    controller.model.Rules[2].Strength = second;
  }
  const std::string& ValueOut(int output = 1) {
    Defuzzify(controller.model, controller.grid);
    return controller.model.PVarOut[output].ValueOut;
  }
  Controller controller;
};

TEST_F(DefuzzifyTest, AveragesOverContributingRulesNotOverStrengths) {
  EXPECT_EQ(ValueOut(), "48.500");  // (0.5 x 2 + 1.0 x -4) / 2 = -1.5, added to 50
  controller.model.PVarOut[1].OutputType = kAbs;
  EXPECT_EQ(ValueOut(), "-1.500");
  // The weight is MFValue 1 of the zone.
  controller.model.PVarOut[1].Zone[2].MFValue[1] = 0.5f;
  EXPECT_EQ(ValueOut(), "-0.500");
}

TEST_F(DefuzzifyTest, OnlyRulesWithPositiveStrengthAndAKnownZoneContribute) {
  Strengths("0.0000", "1.0000");
  EXPECT_EQ(ValueOut(), "46.000");  // rule 1 has strength 0: not counted
  Strengths("Not Used", "0.2500");
  EXPECT_EQ(ValueOut(), "49.000");
  controller.grid.SetText(grid::RuleRow(2), grid::OutputColumn(1), "Sideways");
  EXPECT_EQ(ValueOut(), "50.000");  // no zone of that name: nothing contributes
}

TEST_F(DefuzzifyTest, OutputZoneNamesComeFromTheGrid) {
  // The grid says rule 2 names "Up" for output 1; the record still says "Down".
  controller.grid.SetText(grid::RuleRow(2), grid::OutputColumn(1), "Up");
  EXPECT_EQ(ValueOut(), "51.500");  // (0.5 x 2 + 1.0 x 2) / 2
  controller.grid.SetText(grid::RuleRow(2), grid::OutputColumn(1), kNotUsed);
  EXPECT_EQ(ValueOut(), "51.000");
}

TEST_F(DefuzzifyTest, WithoutFiringRulesTheOutputHoldsItsPresentValue) {
  Strengths("Not Used", "Not Used");
  EXPECT_EQ(ValueOut(), "50.000");
  controller.model.PVarOut[1].OutputType = kAbs;
  EXPECT_EQ(ValueOut(), "50.000");
  controller.model.PVarOut[2].PVIN = 12.3456f;
  EXPECT_EQ(ValueOut(2), "12.346");
}

TEST_F(DefuzzifyTest, LimitsApplyOnlyWhereTheOutputHasTheirDcsTag) {
  PVarOutRecord& output = controller.model.PVarOut[1];
  output.PVHigh = 45;
  output.PVLow = 49;
  EXPECT_EQ(ValueOut(), "48.500");  // no tags: no limits
  output.DCSTagHigh = "   ";
  EXPECT_EQ(ValueOut(), "48.500");  // a blank tag is no tag
  output.DCSTagHigh = "FC101.HI";
  EXPECT_EQ(ValueOut(), "45.000");
  output.PVHigh = 60;
  output.DCSTagLow = "FC101.LO";
  EXPECT_EQ(ValueOut(), "49.000");
}

TEST_F(DefuzzifyTest, StrengthIsUsedAsItsRoundedText) {
  Strengths("0.3333", "Not Used");
  EXPECT_EQ(ValueOut(), "50.667");  // 0.3333 x 2 = 0.6666
  Strengths("abc", "Not Used");
  try {
    ValueOut();
    FAIL() << "a strength that is not a number must be refused";
  } catch (const KavroError& error) {
    EXPECT_EQ(error.Number(), 13);
  }
}

// With and without the memo the cycle keeps, as strengths change, repeat and are overwritten
// behind the rule evaluation's back: the output follows each strength's rounded text.
TEST_F(DefuzzifyTest, ReadsBackTheStrengthRuleEvaluationWrote) {
  ControllerModel& model = controller.model;
  SetRule(controller, 2, "MIN", {});
  model.PVarOut[1].Zone[1].MFPValue[1] = 1000;
  EngineMemo memo;
  for (const bool withMemo : {false, true}) {
    SCOPED_TRACE(withMemo ? "with the memo" : "plain");
    const auto cycle = [&](float degree) {
      model.PVarIn[1].Zone[1].MFDegree = degree;
      if (withMemo) {
        EvaluateRules(model, controller.grid, memo);
        Defuzzify(model, controller.grid, memo);
      } else {
        EvaluateRules(model, controller.grid);
        Defuzzify(model, controller.grid);
      }
      return model.Rules[1].Strength + " " + model.PVarOut[1].ValueOut;
    };
    EXPECT_EQ(cycle(0.33336f), "0.3334 383.400");  // 0.3334 x 1000, not 0.33336 x 1000
    EXPECT_FLOAT_EQ(StrengthNumber(model, 1), 0.3334f);
    EXPECT_EQ(cycle(0.66664f), "0.6666 716.600");
    EXPECT_EQ(cycle(0.66664f), "0.6666 716.600");
    EXPECT_EQ(cycle(0.99996f), "1.0000 1050.000");
    EXPECT_EQ(cycle(0.33336f), "0.3334 383.400");
    model.Rules[1].Strength = "0.5000";  // changed behind the rule evaluation's back
    EXPECT_FLOAT_EQ(StrengthNumber(model, 1), 0.5f);
    EXPECT_FLOAT_EQ(StrengthNumber(model, memo, 1), 0.5f);
    if (withMemo) {
      Defuzzify(model, controller.grid, memo);
      EXPECT_EQ(model.PVarOut[1].ValueOut, "550.000");
      model.Rules[1].Strength = kNotUsed;
      Defuzzify(model, controller.grid, memo);
      EXPECT_EQ(model.PVarOut[1].ValueOut, "50.000");  // no rule contributes
    }
  }
}

// A strength text that is not a number, left behind the rule evaluation's back in a rule only
// output 2 uses: with the memo as without it, output 1 is set before output 2 refuses it, and a
// rule naming no output's zone is never read.
TEST_F(DefuzzifyTest, AFailingStrengthStopsAtTheFirstOutputThatUsesIt) {
  ControllerModel& model = controller.model;
  SetZone(model.PVarOut[2].Zone[1], "Up", {2, 3, 4, 5}, {1, 1, 1, 0});
  SetRule(controller, 1, "MIN", {{1, "Zone 1"}, {7, "Up"}});
  SetRule(controller, 2, "MIN", {{1, "Zone 1"}, {8, "Up"}});
  SetRule(controller, 3, "MIN", {{1, "Zone 1"}});  // names no output zone
  model.PVarIn[1].Zone[1].MFDegree = 0.5f;
  for (const bool withMemo : {false, true}) {
    SCOPED_TRACE(withMemo ? "with the memo" : "plain");
    EngineMemo memo;
    const auto defuzzify = [&] {
      if (withMemo) return Defuzzify(model, controller.grid, memo);
      Defuzzify(model, controller.grid);
    };
    EvaluateRules(model, controller.grid, memo);
    defuzzify();
    EXPECT_EQ(model.PVarOut[1].ValueOut + " " + model.PVarOut[2].ValueOut, "51.000 1.000");
    model.Rules[3].Strength = "abc";
    defuzzify();  // rule 3 contributes to no output: its text is not read
    model.Rules[1].Strength = "1.0000";
    model.Rules[2].Strength = "abc";
    model.PVarOut[1].ValueOut = model.PVarOut[2].ValueOut = "before";
    try {
      defuzzify();
      ADD_FAILURE() << "a strength that is not a number must be refused";
    } catch (const KavroError& error) {
      EXPECT_EQ(error.Number(), 13);
    }
    EXPECT_EQ(model.PVarOut[1].ValueOut + " " + model.PVarOut[2].ValueOut, "52.000 before");
    Strengths("0.5000", "1.0000");
  }
}

}  // namespace
}  // namespace kavro::test
