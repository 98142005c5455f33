// The rule-firing view after real control cycles: the rows, degrees, zone pictures, strengths
// and marks come from what the cycle left, and the fired mark is the main grid's.
#include <gtest/gtest.h>

#include "common/KavroError.h"
#include "display/RuleFiringView.h"
#include "display/StatusRefresh.h"
#include "engine/ControlCycle.h"
#include "support/EngineTestModel.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

// Input TI101 (zone Hot rising 0 -> 1 over 50..100, zone Cold 0..50 falling), input PT102
// (zone Low falling 1 -> 0 over 0..10), output FC101 (zone Up asking for +4) at 40.
// R1: MIN(TI101 Hot) -> Up. R2: PROD(TI101 Hot, PT102 Low) -> Up. R4: MIN(TI101 Cold) -> Up.
// R5 names a zone no variable has.
class RuleFiringViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartController(controller);
    model.PVarIn[1].PVarName = "TI101";
    SetZone(model.PVarIn[1].Zone[1], "Hot", {50, 100, 100, 100}, {0, 1, 1, 1});
    SetZone(model.PVarIn[1].Zone[2], "Cold", {0, 0, 0, 50}, {1, 1, 1, 0});
    model.PVarIn[3].PVarName = "PT102";
    SetZone(model.PVarIn[3].Zone[1], "Low", {0, 0, 0, 10}, {1, 1, 1, 0});
    model.PVarOut[1].PVarName = "FC101";
    SetZone(model.PVarOut[1].Zone[1], "Up", {4, 5, 6, 7}, {1, 1, 1, 0});
    SetRule(controller, 1, "MIN", {{1, "Hot"}, {7, "Up"}});
    SetRule(controller, 2, "PROD", {{1, "Hot"}, {3, "Low"}, {7, "Up"}});
    SetRule(controller, 4, "MIN", {{1, "Cold"}, {7, "Up"}});
    SetRule(controller, 5, "MIN", {{1, "Warm"}, {7, "Up"}});
    TypeIntoGrid(controller, grid::kRowValue, grid::InputColumn(1), 75);
    TypeIntoGrid(controller, grid::kRowValue, grid::InputColumn(3), 2.5);
    TypeIntoGrid(controller, grid::kRowValue, grid::OutputColumn(1), 40);
    steps.refreshStatus = RefreshStatus;
  }

  FakeWorld world;
  Controller& controller = world.controller;
  ControllerModel& model = controller.model;
  CycleSteps steps;
};

TEST_F(RuleFiringViewTest, RowsShowWhatTheCycleWorkedOut) {
  Timer1Tick(controller, steps);
  ASSERT_TRUE(world.op.messages.empty());
  const RuleFiringViewState view = ShowRuleFiring(model, controller.grid);

  EXPECT_EQ(view.inputHeaders, (std::vector<std::string>{"TI101", "PT102"}));
  EXPECT_EQ(view.outputHeaders, (std::vector<std::string>{"FC101"}));
  ASSERT_EQ(view.rows.size(), 4u);
  EXPECT_EQ(view.rows[0].label, "R1");
  EXPECT_EQ(view.rows[1].label, "R2");
  EXPECT_EQ(view.rows[2].label, "R4");
  EXPECT_EQ(view.rows[3].label, "R5");

  // R2 by hand: Hot at 75 is 0.5, Low at 2.5 is 0.75, PROD 0.375.
  const FiringRowView& r2 = view.rows[1];
  EXPECT_EQ(r2.operatorName, "PROD");
  ASSERT_TRUE(r2.inputs[0] && r2.inputs[1]);
  EXPECT_EQ(r2.inputs[0]->term, "Hot");
  EXPECT_EQ(r2.inputs[0]->degreeText, "0.500");
  EXPECT_EQ(r2.inputs[1]->term, "Low");
  EXPECT_EQ(r2.inputs[1]->degreeText, "0.750");
  EXPECT_EQ(r2.strengthText, "0.3750");
  EXPECT_FLOAT_EQ(r2.bar, 0.375f);
  EXPECT_TRUE(r2.fired);
  EXPECT_EQ(r2.outputs, std::vector<std::string>{"Up"});

  // R1 names TI101 only: its PT102 cell is empty.
  EXPECT_TRUE(view.rows[0].inputs[0].has_value());
  EXPECT_FALSE(view.rows[0].inputs[1].has_value());
  EXPECT_EQ(view.rows[0].strengthText, "0.5000");

  // Hot's picture over TI101's range 0..100, the present value 75 marked three quarters across.
  const FiringTermCell& hot = *view.rows[0].inputs[0];
  EXPECT_EQ(hot.points, (std::array<float, 4>{50, 100, 100, 100}));
  EXPECT_FLOAT_EQ(hot.range.low, 0);
  EXPECT_FLOAT_EQ(hot.range.high, 100);
  ASSERT_EQ(hot.shape.size(), 6u);
  EXPECT_FLOAT_EQ(hot.shape[0].x, 0.5f);
  EXPECT_FLOAT_EQ(hot.shape[0].y, 0.0f);
  EXPECT_FLOAT_EQ(hot.shape[1].y, 0.0f);
  EXPECT_FLOAT_EQ(hot.shape[2].x, 1.0f);
  EXPECT_FLOAT_EQ(hot.shape[2].y, 1.0f);
  EXPECT_FLOAT_EQ(hot.shape[5].y, 0.0f);
  EXPECT_FLOAT_EQ(hot.mark, 0.75f);
  EXPECT_TRUE(hot.markInside);

  // R4 did not fire; R5's term names no zone, so the rule is not used.
  EXPECT_FALSE(view.rows[2].fired);
  EXPECT_EQ(view.rows[2].strengthText, "0.0000");
  EXPECT_FLOAT_EQ(view.rows[2].bar, 0.0f);
  EXPECT_FALSE(view.rows[3].inputs[0]->zoneFound);
  EXPECT_TRUE(view.rows[3].inputs[0]->shape.empty());
  EXPECT_EQ(view.rows[3].strengthText, "Not Used");

  // Marked exactly as the main grid marks the rule's label.
  for (const FiringRowView& row : view.rows) {
    const int rule = std::stoi(row.label.substr(1));
    EXPECT_EQ(row.mark, controller.grid.At(grid::RuleRow(rule), grid::kColLabel).foreColour)
        << row.label;
  }
  EXPECT_EQ(r2.mark, PaletteColour(12));
  EXPECT_NE(view.rows[2].mark, PaletteColour(12));

  // The average over R1 and R2 of strength x 4, (2 + 1.5) / 2, added to 40.
  ASSERT_EQ(view.outputs.size(), 1u);
  EXPECT_EQ(view.outputs[0].name, "FC101");
  EXPECT_EQ(view.outputs[0].defuzzified, "41.750");
  EXPECT_EQ(view.outputs[0].sent, view.outputs[0].defuzzified);
  EXPECT_FALSE(view.outputs[0].held);
}

TEST_F(RuleFiringViewTest, OutputsShowTheDefuzzifiedValueBesideWhatTheScriptSent) {
  EXPECT_EQ(ShowRuleFiring(model, controller.grid).outputs[0].defuzzified, "");
  EXPECT_FALSE(ShowRuleFiring(model, controller.grid).outputs[0].held);  // nothing run yet
  steps.runPostScript = [](Controller& c) {
    c.model.PVarOut[1].ValueOut = "99.000";
    return true;
  };
  Timer1Tick(controller, steps);
  const RuleFiringViewState view = ShowRuleFiring(model, controller.grid);
  EXPECT_EQ(view.outputs[0].sent, "99.000");
  EXPECT_NE(view.outputs[0].defuzzified, "99.000");
  EXPECT_EQ(view.outputs[0].defuzzified, model.PVarOut[1].ValueDefuzzified);
}

TEST_F(RuleFiringViewTest, AStrengthThatIsNoNumberIsShownUnmarked) {
  Timer1Tick(controller, steps);
  model.Rules[1].Strength = "abc";  // a script wrote it; the main grid's refresh reports it
  EXPECT_THROW(RefreshStatus(controller), KavroError);
  const FiringRowView row = ShowRuleFiring(model, controller.grid).rows[0];
  EXPECT_EQ(row.strengthText, "abc");
  EXPECT_FALSE(row.fired);
  EXPECT_FLOAT_EQ(row.bar, 0.0f);
  EXPECT_EQ(row.mark, PaletteColour(1));
}

}  // namespace
}  // namespace kavro::test
