#include "engine/HistorySlopes.h"

#include <gtest/gtest.h>

#include "support/EngineTestModel.h"
#include "common/KavroError.h"

namespace kavro::test {
namespace {

class HistorySlopesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartController(controller);
    model.PVarIn[1].PVarName = "TI101";
    model.PVarOut[2].PVarName = "FC102";
  }
  // One cycle with both named variables at value.
  void Cycle(float value) {
    model.PVarIn[1].PVIN = value;
    model.PVarOut[2].PVIN = value * 2;
    UpdateHistoryAndSlopes(model);
  }
  Controller controller;
  ControllerModel& model = controller.model;
};

TEST_F(HistorySlopesTest, ACountBelowOneIsASubscriptErrorAndWritesNothing) {
  model.HistCount = -1;  // the next count, 0, names the unused slot before the table
  model.PVarIn[1].History[0] = 5;
  try {
    Cycle(42);
    FAIL() << "a history count below 1 must be reported";
  } catch (const KavroError& e) {
    EXPECT_EQ(e.Number(), 9);
  }
  EXPECT_EQ(model.PVarIn[1].History[0], 5.0f);
}

TEST_F(HistorySlopesTest, SlopesWaitForMoreSamplesThanTheirWindow) {
  model.PVarIn[1].Slope[1] = 7;  // left from before: kept until it can be computed
  for (int k = 1; k <= 3; ++k) Cycle(static_cast<float>(k * k));
  EXPECT_EQ(model.HistCount, 3);
  EXPECT_EQ(model.PVarIn[1].Slope[1], 7.0f);
  Cycle(16);
  EXPECT_FLOAT_EQ(model.PVarIn[1].Slope[1], (16.0f - 1.0f) / 3.0f);  // (PVIN - History 1) / 3
  EXPECT_FLOAT_EQ(model.PVarOut[2].Slope[1], (32.0f - 2.0f) / 3.0f);
  EXPECT_EQ(model.PVarIn[1].Slope[2], 0.0f);
  for (int k = 5; k <= 9; ++k) Cycle(static_cast<float>(k * k));
  EXPECT_FLOAT_EQ(model.PVarIn[1].Slope[2], (81.0f - 1.0f) / 8.0f);
  EXPECT_FLOAT_EQ(model.PVarIn[1].Slope[1], (81.0f - 36.0f) / 3.0f);
}

TEST_F(HistorySlopesTest, AfterTwoHundredSamplesTheOldestIsShiftedOut) {
  for (int k = 1; k <= 200; ++k) Cycle(static_cast<float>(k));
  EXPECT_EQ(model.HistCount, 200);
  EXPECT_EQ(model.PVarIn[1].History[1], 1.0f);
  EXPECT_EQ(model.PVarIn[1].History[200], 200.0f);
  Cycle(201);
  Cycle(202);
  EXPECT_EQ(model.HistCount, 200);
  EXPECT_EQ(model.PVarIn[1].History[1], 3.0f);
  EXPECT_EQ(model.PVarIn[1].History[200], 202.0f);
  EXPECT_EQ(model.PVarOut[2].History[200], 404.0f);
  EXPECT_FLOAT_EQ(model.PVarIn[1].Slope[3], 1.0f);
}

TEST_F(HistorySlopesTest, VariablesWithoutNameKeepTheirHistoryAndSlopes) {
  model.PVarIn[2].PVarName = "   ";
  model.PVarIn[2].PVIN = 5;
  model.PVarIn[2].Slope[1] = 3;
  for (int k = 1; k <= 10; ++k) Cycle(1);
  EXPECT_EQ(model.PVarIn[2].History[1], kEmptyHistory);
  EXPECT_EQ(model.PVarIn[2].History[10], kEmptyHistory);
  EXPECT_EQ(model.PVarIn[2].Slope[1], 3.0f);
}

TEST_F(HistorySlopesTest, LookBacksOutsideTheTableAreReportedNotRead) {
  HistoryTable history{};
  EXPECT_THROW(HistorySample(history, 203), KavroError);
  EXPECT_THROW(HistorySample(history, -1), KavroError);
  EXPECT_NO_THROW(HistorySample(history, 202));
  model.HistCount = -5;  // damaged count: refused instead of writing before the table
  EXPECT_THROW(UpdateHistoryAndSlopes(model), KavroError);
}

}  // namespace
}  // namespace kavro::test
