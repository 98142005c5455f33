// The control-surface window's state: the choices, held values as typed, the colour map and
// its scale, the operating point, the curve of one input, and the running controller untouched.
#include <gtest/gtest.h>

#include <limits>

#include "display/ColourScale.h"
#include "display/SurfaceView.h"
#include "support/EngineTestModel.h"

namespace kavro {
namespace {

using test::OneRuleController;

TEST(ColourScale, RunsFromDarkToLightAndMarksMissingValues) {
  const Colour low = ScaleColour(0, 0, 10);
  const Colour high = ScaleColour(10, 0, 10);
  EXPECT_EQ(low, Colour::FromRgb(68, 1, 84));
  EXPECT_EQ(high, Colour::FromRgb(253, 231, 37));
  EXPECT_EQ(ScaleColour(-5, 0, 10), low);  // clamped to the ends
  EXPECT_EQ(ScaleColour(50, 0, 10), high);
  EXPECT_EQ(ScaleColour(5, 0, 10), Colour::FromRgb(33, 145, 140));  // the middle stop
  EXPECT_EQ(ScaleColour(3, 3, 3), ScaleColour(5, 0, 10));           // no width: the middle
  EXPECT_EQ(ScaleColour(std::numeric_limits<float>::quiet_NaN(), 0, 10), kNoValueColour);
  // Brighter all the way up, so a grey print still reads low to high.
  int last = -1;
  for (int k = 0; k <= 20; ++k) {
    const Colour c = ScaleColour(static_cast<float>(k), 0, 20);
    const int brightness = c.Red() * 30 + c.Green() * 59 + c.Blue() * 11;
    EXPECT_GT(brightness, last) << k;
    last = brightness;
  }
}

TEST(SurfaceView, HeldValuesAreNumbersOrBlank) {
  EXPECT_FALSE(ReadHeldValue("O2", "").value);
  EXPECT_TRUE(ReadHeldValue("O2", "  ").refusal.empty());
  EXPECT_FLOAT_EQ(*ReadHeldValue("O2", " 2.5 ").value, 2.5f);
  EXPECT_FLOAT_EQ(*ReadHeldValue("O2", "-1e2").value, -100.0f);
  EXPECT_EQ(ReadHeldValue("O2", "2,5").refusal, "The held value of O2 is not a number: 2,5");
  EXPECT_FALSE(ReadHeldValue("O2", "2,5").value);
  EXPECT_EQ(ReadHeldValue("O2", "high").refusal, "The held value of O2 is not a number: high");
  EXPECT_EQ(ReadHeldValue("O2", "1e99").refusal,
            "The held value of O2 is beyond the range of a process value: 1e99");
}

class SurfaceViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OneRuleController(controller);
    setup.output = 1;
    setup.xInput = 1;
    setup.yInput = 2;
  }
  Controller controller;
  SurfaceSetup setup;
};

TEST_F(SurfaceViewTest, ChoicesAreTheNamedVariables) {
  const auto inputs = SurfaceInputs(controller.model);
  ASSERT_EQ(inputs.size(), 2u);
  EXPECT_EQ(inputs[1].slot, 2);
  EXPECT_EQ(inputs[1].name, "Y");
  ASSERT_EQ(SurfaceOutputs(controller.model).size(), 1u);
  EXPECT_EQ(SurfaceOutputs(controller.model)[0].name, "OUT");
}

TEST_F(SurfaceViewTest, MapColoursTheEngineValuesAndMarksTheOperatingPoint) {
  setup.points = 10;  // fewer than the window allows: raised to 60
  const SurfaceViewState view = ComputeSurfaceView(controller.model, controller.grid, setup);
  ASSERT_EQ(view.refusal, "");
  ASSERT_EQ(view.surface.xs.size(), 60u);
  ASSERT_EQ(view.surface.ys.size(), 60u);
  EXPECT_FALSE(view.IsCurve());
  EXPECT_EQ(view.outputName, "OUT");
  EXPECT_EQ(view.yName, "Y");
  // The one rule gives its strength x 50 wherever it fires; where it does not (either axis at 0)
  // the output holds its present value, 7. The least firing is one step in on both axes:
  // MIN(1/59, 1/59) = "0.0169", 0.845.
  EXPECT_FLOAT_EQ(view.low, 0.845f);
  EXPECT_FLOAT_EQ(view.high, 50);
  EXPECT_EQ(view.lowLabel, "0.845");
  EXPECT_EQ(view.highLabel, "50.000");
  EXPECT_EQ(view.xHighLabel, "10.000");
  EXPECT_EQ(view.yHighLabel, "20.000");
  ASSERT_EQ(view.cells.size(), view.surface.values.size());
  EXPECT_FLOAT_EQ(view.surface.values.front(), 7);
  EXPECT_EQ(view.cells.front(), ScaleColour(7, view.low, view.high));
  EXPECT_EQ(view.cells[61], ScaleColour(0, 0, 1));     // the lowest: the scale's first colour
  EXPECT_EQ(view.cells.back(), ScaleColour(1, 0, 1));  // the highest: its last
  const size_t middle = 30 * 60 + 30;  // x = 30/59 x 10, y = 30/59 x 20: both degrees 30/59
  EXPECT_NEAR(view.surface.values[middle], 50.0f * 30 / 59, 0.01);  // strength to 4 places
  EXPECT_EQ(view.cells[middle], ScaleColour(view.surface.values[middle], view.low, view.high));
  // X at 3 of 0..10 and Y at 4 of 0..20, on a grid of 60 points (0..59).
  EXPECT_TRUE(view.pointInside);
  EXPECT_FLOAT_EQ(view.pointX, 0.3f * 59);
  EXPECT_FLOAT_EQ(view.pointY, 0.2f * 59);
  EXPECT_TRUE(view.curve.empty());

  // The plant moves: the mark follows without the surface being computed again.
  SurfaceViewState followed = view;
  controller.model.PVarIn[1].PVIN = 5;
  FollowOperatingPoint(followed, controller.model);
  EXPECT_TRUE(followed.pointInside);
  EXPECT_FLOAT_EQ(followed.pointX, 0.5f * 59);
  EXPECT_FLOAT_EQ(followed.pointY, 0.2f * 59);
  EXPECT_EQ(followed.surface.values, view.surface.values);

  controller.model.PVarIn[2].PVIN = 25;  // beyond Y's zones
  EXPECT_FALSE(ComputeSurfaceView(controller.model, controller.grid, setup).pointInside);
  FollowOperatingPoint(followed, controller.model);
  EXPECT_FALSE(followed.pointInside);
}

TEST_F(SurfaceViewTest, OneInputGivesACurveWithTheOthersHeld) {
  setup.yInput = 0;
  setup.held[2] = "10";  // Y's degree 0.5: the curve rises to 25
  setup.held[1] = "not read: X is on the axis";
  const SurfaceViewState view = ComputeSurfaceView(controller.model, controller.grid, setup);
  ASSERT_EQ(view.refusal, "");
  EXPECT_TRUE(view.IsCurve());
  ASSERT_EQ(view.curve.size(), 60u);
  EXPECT_FLOAT_EQ(view.low, 0.845f);  // one step in, as on the map
  EXPECT_FLOAT_EQ(view.high, 25);
  EXPECT_FLOAT_EQ(view.curve.front().x, 0);
  EXPECT_FLOAT_EQ(view.curve.front().y, (7 - 0.845f) / (25 - 0.845f));  // nothing fires: 7
  EXPECT_FLOAT_EQ(view.curve[1].y, 0);
  EXPECT_FLOAT_EQ(view.curve.back().x, 1);
  EXPECT_FLOAT_EQ(view.curve.back().y, 1);
  EXPECT_FLOAT_EQ(view.pointX, 0.3f * 59);
  EXPECT_EQ(SurfaceViewCsv(view).substr(0, 10), "X,OUT\n0,7\n");
}

TEST_F(SurfaceViewTest, BadChoicesAndHeldValuesAreRefusedWithAMessage) {
  SurfaceSetup same = setup;
  same.yInput = 1;
  EXPECT_EQ(ComputeSurfaceView(controller.model, controller.grid, same).refusal,
            "The x and y axes need two different inputs.");
  SurfaceSetup none = setup;
  none.output = 0;
  EXPECT_EQ(ComputeSurfaceView(controller.model, controller.grid, none).refusal,
            "Choose an output and an input for the x axis.");
  SurfaceSetup unnamed = setup;
  unnamed.yInput = 5;
  EXPECT_EQ(ComputeSurfaceView(controller.model, controller.grid, unnamed).refusal,
            "Choose an input for the y axis, or none.");
  SurfaceSetup held = setup;
  held.yInput = 0;
  held.held[2] = "1O";
  const SurfaceViewState refused = ComputeSurfaceView(controller.model, controller.grid, held);
  EXPECT_EQ(refused.refusal, "The held value of Y is not a number: 1O");
  EXPECT_TRUE(refused.surface.values.empty());
  EXPECT_TRUE(refused.cells.empty());
}

TEST_F(SurfaceViewTest, TheRunningControllerIsLeftAsItWas) {
  ControllerModel& model = controller.model;
  model.PVarIn[1].Zone[1].MFDegree = 0.3f;  // as the last cycle left it
  model.Rules[1].Strength = "0.2000";
  model.PVarOut[1].ValueOut = "17.000";
  model.PVarOut[1].ValueDefuzzified = "16.000";
  const std::string cell = controller.grid.Text(grid::RuleRow(1), grid::TermColumn(1));
  setup.held[3] = "5";
  ComputeSurfaceView(model, controller.grid, setup);
  EXPECT_FLOAT_EQ(model.PVarIn[1].PVIN, 3);
  EXPECT_FLOAT_EQ(model.PVarIn[2].PVIN, 4);
  EXPECT_FLOAT_EQ(model.PVarIn[3].PVIN, 0);
  EXPECT_FLOAT_EQ(model.PVarIn[1].Zone[1].MFDegree, 0.3f);
  EXPECT_EQ(model.Rules[1].Strength, "0.2000");
  EXPECT_EQ(model.PVarOut[1].ValueOut, "17.000");
  EXPECT_EQ(model.PVarOut[1].ValueDefuzzified, "16.000");
  EXPECT_EQ(controller.grid.Text(grid::RuleRow(1), grid::TermColumn(1)), cell);
}

}  // namespace
}  // namespace kavro
