#include "engine/MoveLimits.h"

#include <gtest/gtest.h>

#include "support/EngineTestModel.h"
#include "engine/HistorySlopes.h"

namespace kavro::test {
namespace {

// RunFrequency 30 s, Change_Time 5 min, Wait_Change 10 min, Max_Change 2: ChangeLag is 10 cycles
// and the rounded wait 20 cycles.
class MoveLimitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartController(controller);
    output.PVarName = "FC101";
    output.Change_Time = 5;
    output.Wait_Change = 10;
    output.Max_Change = 2;
    model.PVarOut[2].ValueOut = "0.000";  // as defuzzification leaves it
  }
  // One cycle: the output's present value is recorded, then the computed value is limited.
  std::optional<std::string> Cycle(float pvin, const std::string& valueOut = "40.000") {
    output.PVIN = pvin;
    UpdateHistoryAndSlopes(model);
    output.ValueOut = valueOut;
    return ApplyMoveLimits(model);
  }
  void Cycles(int count, float pvin) {
    for (int k = 0; k < count; ++k) ASSERT_EQ(Cycle(pvin), std::nullopt);
  }
  Controller controller;
  ControllerModel& model = controller.model;
  PVarOutRecord& output = model.PVarOut[1];
};

TEST_F(MoveLimitsTest, CycleCountsComeFromMinutesAtTheRunFrequency) {
  EXPECT_EQ(ChangeLag(output, 30), 10);
  EXPECT_FLOAT_EQ(WaitCycles(output, 30), 600.0f / 30.01f);
  output.Change_Time = 0.25f;  // 15 / 30.01 = 0.4998: rounds to 0
  EXPECT_EQ(ChangeLag(output, 30), 0);
  EXPECT_EQ(ChangeLag(output, 0), 1500);  // the 0.01 keeps a zero frequency defined
}

TEST_F(MoveLimitsTest, FastRiseBlocksIncreasesUntilTheWaitIsOver) {
  Cycles(10, 40);
  ASSERT_FALSE(Cycle(42.5f, "43.000"));  // rose 2.5 over the last 10 cycles
  EXPECT_TRUE(output.ClampIncrease);
  EXPECT_FALSE(output.ClampDecrease);
  EXPECT_EQ(output.ValueOut, "42.5");  // held at the present value
  EXPECT_FALSE(output.SendOutput);

  ASSERT_FALSE(Cycle(42.5f, "41.000"));  // a lower value still passes
  EXPECT_EQ(output.ValueOut, "41.000");
  EXPECT_TRUE(output.SendOutput);

  for (int k = 2; k <= 20; ++k) ASSERT_FALSE(Cycle(42.5f, "43.000"));
  EXPECT_TRUE(output.ClampIncrease);
  EXPECT_EQ(output.IncreaseCounter, 20);
  ASSERT_FALSE(Cycle(42.5f, "43.000"));  // the 21st cycle after the one that set it
  EXPECT_FALSE(output.ClampIncrease);
  EXPECT_EQ(output.IncreaseCounter, 0);
  EXPECT_EQ(output.ValueOut, "43.000");
  EXPECT_TRUE(output.SendOutput);
}

TEST_F(MoveLimitsTest, FastFallBlocksDecreasesOnly) {
  Cycles(10, 40);
  ASSERT_FALSE(Cycle(37.75f, "30.000"));
  EXPECT_TRUE(output.ClampDecrease);
  EXPECT_FALSE(output.ClampIncrease);
  EXPECT_EQ(output.ValueOut, "37.75");
  EXPECT_FALSE(output.SendOutput);
  ASSERT_FALSE(Cycle(37.75f, "45.000"));
  EXPECT_EQ(output.ValueOut, "45.000");
  EXPECT_EQ(output.DecreaseCounter, 1);
}

TEST_F(MoveLimitsTest, NoBlockWithoutAMoveBeyondMaxChangeWithinEnoughHistory) {
  Cycles(10, 40);
  Cycles(1, 42);  // exactly Max_Change
  EXPECT_FALSE(output.ClampIncrease);

  StartController(controller);
  output.PVarName = "FC101";
  output.Change_Time = 5;
  output.Wait_Change = 10;
  output.Max_Change = 2;
  model.PVarOut[2].ValueOut = "0.000";
  Cycles(9, 40);
  Cycles(1, 50);  // HistCount 10 is not above ChangeLag 10
  EXPECT_FALSE(output.ClampIncrease);

  output.Change_Time = 100;  // ChangeLag 200: HistCount never gets above it
  Cycles(200, 0);
  Cycles(1, 500);
  EXPECT_FALSE(output.ClampIncrease);
}

TEST_F(MoveLimitsTest, ZeroMaxChangeOrWaitSwitchesTheLimitsOff) {
  Cycles(10, 40);
  Cycles(1, 45);
  ASSERT_TRUE(output.ClampIncrease);
  output.Max_Change = 0;
  ASSERT_FALSE(Cycle(45, "50.000"));
  EXPECT_FALSE(output.ClampIncrease);
  EXPECT_EQ(output.IncreaseCounter, 1);  // counters are left as they are
  EXPECT_EQ(output.ValueOut, "50.000");
  output.Max_Change = 2;
  output.Wait_Change = -1;
  Cycles(10, 30);
  EXPECT_FALSE(output.ClampDecrease);
}

TEST_F(MoveLimitsTest, FailureIsReportedWithItsPassStepAndNothingBadIsSent) {
  PVarOutRecord& second = model.PVarOut[2];
  second.ValueOut = "Not Used";
  second.SendOutput = true;
  const auto report = Cycle(40, "abc");
  ASSERT_TRUE(report);
  EXPECT_EQ(*report,
            "Error Number = 13\r\nError Description = Type mismatch\r\n"
            "At error location = Override : 6");
  EXPECT_FALSE(output.SendOutput);  // a value that is no number is never sent
  EXPECT_TRUE(second.SendOutput);   // not yet handled: as in the previous cycle

  output.Change_Time = 1.0e6f;  // ChangeLag beyond 16 bits
  const auto overflow = Cycle(40);
  ASSERT_TRUE(overflow);
  EXPECT_EQ(*overflow,
            "Error Number = 6\r\nError Description = Overflow\r\n"
            "At error location = Override : 3");
  output.ClampDecrease = true;  // step 3 has nothing to look back for: step 4 fails
  output.DecreaseCounter = 0;
  const auto atStep4 = Cycle(40);
  ASSERT_TRUE(atStep4);
  EXPECT_NE(atStep4->find("Overflow\r\nAt error location = Override : 4"), std::string::npos);

  output.Change_Time = -5;  // a look-back into the future leaves the table
  for (int k = 0; k < 200; ++k) Cycle(40);
  const auto subscript = Cycle(40);
  ASSERT_TRUE(subscript);
  EXPECT_NE(subscript->find("Error Number = 9\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kavro::test
