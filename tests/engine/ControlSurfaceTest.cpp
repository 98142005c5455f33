// The control surface and the rule-firing rows, worked out by the real engine on a copy.
#include <gtest/gtest.h>

#include "config/ConfigFile.h"
#include "engine/ControlSurface.h"
#include "engine/RuleFiring.h"
#include "support/EngineTestModel.h"

namespace kavro {
namespace {

using test::OneRuleController;
using test::SetRule;

TEST(ControlSurface, OneRuleSurfaceMatchesHandComputedValues) {
  Controller controller;
  OneRuleController(controller);
  EngineOnCopy engine(controller.model, controller.grid);
  SurfaceRequest request;
  request.xInput = 1;
  request.yInput = 2;
  request.points = 3;
  const Surface surface = ComputeSurface(engine, request);
  ASSERT_EQ(surface.xs, (std::vector<float>{0, 5, 10}));
  ASSERT_EQ(surface.ys, (std::vector<float>{0, 10, 20}));
  // Rows are y = 0, 10, 20; columns x = 0, 5, 10.
  const std::vector<float> expected = {7, 7,  7,   //  y = 0: nothing fires, the output holds
                                       7, 25, 25,  //  min(x/10, 0.5) * 50
                                       7, 25, 50};
  EXPECT_EQ(surface.values, expected);

  EXPECT_EQ(SurfaceCsv(surface, "X", "Y", "OUT").substr(0, 29),
            "X,Y,OUT\n0,0,7\n5,0,7\n10,0,7\n0,");
}

TEST(ControlSurface, CurveHoldsTheOtherInputsAtTypedOrPresentValues) {
  Controller controller;
  OneRuleController(controller);
  EngineOnCopy engine(controller.model, controller.grid);
  SurfaceRequest request;
  request.xInput = 1;
  request.points = 5;       // x = 0, 2.5, 5, 7.5, 10
  request.held[2] = 10.0f;  // y/20 = 0.5
  EXPECT_EQ(ComputeSurface(engine, request).values, (std::vector<float>{7, 12.5, 25, 25, 25}));
  request.held[2].reset();  // present y = 4: 0.2
  EXPECT_EQ(ComputeSurface(engine, request).values, (std::vector<float>{7, 10, 10, 10, 10}));
  EXPECT_EQ(SurfaceCsv(ComputeSurface(engine, request), "X", "", "a,\"b\"").substr(0, 20),
            "X,\"a,\"\"b\"\"\"\n0,7\n2.5,");
}

TEST(ControlSurface, LiveControllerIsUntouched) {
  Controller controller;
  OneRuleController(controller);
  controller.model.Rules[1].Strength = "0.1234";
  controller.model.PVarOut[1].ValueOut = "1.000";
  const std::string before = ConfigText(controller.model, "date");
  const float degree = controller.model.PVarIn[1].Zone[1].MFDegree;

  EngineOnCopy engine(controller.model, controller.grid);
  SurfaceRequest request;
  request.xInput = 1;
  request.yInput = 2;
  ComputeSurface(engine, request);

  EXPECT_EQ(ConfigText(controller.model, "date"), before);
  EXPECT_EQ(controller.model.Rules[1].Strength, "0.1234");
  EXPECT_EQ(controller.model.PVarIn[1].PVIN, 3.0f);
  EXPECT_EQ(controller.model.PVarIn[1].Zone[1].MFDegree, degree);
  EXPECT_EQ(controller.model.PVarOut[1].ValueOut, "1.000");
}

TEST(RuleFiring, RowsShowWhatTheCycleComputed) {
  Controller controller;
  OneRuleController(controller);
  SetRule(controller, 4, "MAX", {{2, "NOWHERE"}, {7, "UP"}});
  EngineOnCopy engine(controller.model, controller.grid);
  InputValues inputs{};
  inputs[1] = 5;
  inputs[2] = 20;
  EXPECT_EQ(engine.Outputs(inputs)[1], 25.0f);

  const std::vector<FiringRow> rows = RuleFiringRows(engine.Model(), engine.Texts());
  ASSERT_EQ(rows.size(), 2u);  // rules 1 and 4; the unused ones have no row
  EXPECT_EQ(rows[0].rule, 1);
  EXPECT_EQ(rows[0].operatorName, "MIN");
  ASSERT_EQ(rows[0].inputs.size(), 2u);
  EXPECT_EQ(rows[0].inputs[0].degree, 0.5f);
  EXPECT_EQ(rows[0].inputs[1].degree, 1.0f);
  EXPECT_EQ(rows[0].inputs[1].presentValue, 20.0f);
  ASSERT_EQ(rows[0].outputs.size(), 1u);
  EXPECT_EQ(rows[0].outputs[0].term, "UP");
  EXPECT_TRUE(rows[0].used);
  EXPECT_TRUE(rows[0].fired);
  EXPECT_EQ(rows[0].strength, 0.5f);
  // A term naming no zone finds none, and the rule with no counted term is not used.
  EXPECT_EQ(rows[1].rule, 4);
  EXPECT_EQ(rows[1].inputs[0].zone, 0);
  EXPECT_FALSE(rows[1].used);
  EXPECT_FALSE(rows[1].fired);
}

}  // namespace
}  // namespace kavro
