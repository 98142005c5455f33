#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/HistorySlopes.h"
#include "engine/VariabilityIndex.h"
#include "support/EngineTestModel.h"

namespace kavro::test {
namespace {

std::vector<float> Series(int count, float (*sample)(int)) {
  std::vector<float> samples;
  for (int k = 0; k < count; ++k) samples.push_back(sample(k));
  return samples;
}

TEST(VariabilityIndex, RelatesTheSpreadOfStepsToTheOverallSpread) {
  EXPECT_EQ(VariabilityOf(Series(100, [](int) { return 7.0f; })), 0.0f);  // constant
  EXPECT_NEAR(VariabilityOf(Series(100, [](int k) { return static_cast<float>(k); })), 96.2f,
              0.1f);  // steady ramp
  EXPECT_NEAR(VariabilityOf(Series(100, [](int k) { return k % 2 ? 10.0f : 0.0f; })), 78.5f,
              0.1f);  // alternating

  std::mt19937 generator(7);
  std::normal_distribution<float> noise(50.0f, 5.0f);
  std::vector<float> random;
  for (int k = 0; k < 100; ++k) random.push_back(noise(generator));
  EXPECT_LT(VariabilityOf(random), 25.0f);
}

class ComputeIndexesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartController(controller);
    model.PVarIn[1].PVarName = "TI101";
  }
  void Hold(int count, float (*sample)(int)) {
    model.HistCount = static_cast<int16_t>(count);
    for (int k = 1; k <= count; ++k) model.PVarIn[1].History[k] = sample(k);
  }
  Controller controller;
  ControllerModel& model = controller.model;
};

TEST_F(ComputeIndexesTest, NeedsTwoSamplesAndANamedInput) {
  Hold(1, [](int k) { return static_cast<float>(k); });
  model.ErrorStep = 12;
  ComputeIndexes(model);
  EXPECT_EQ(model.PVarIn[1].VarIndex, 0.0f);
  EXPECT_EQ(model.ErrorStep, 12);

  Hold(100, [](int k) { return static_cast<float>(k); });
  model.PVarIn[2].VarIndex = 33;  // no name: keeps its index
  ComputeIndexes(model);
  EXPECT_NEAR(model.PVarIn[1].VarIndex, 96.2f, 0.1f);
  EXPECT_EQ(model.PVarIn[2].VarIndex, 33.0f);
  EXPECT_EQ(model.ErrorStep, 124);  // the stages ran through 121..124
}

TEST_F(ComputeIndexesTest, DescribesTheNewestHundredSamples) {
  // 100 old samples of a smooth ramp, then 100 new ones alternating: the index tells of now.
  Hold(200, [](int k) { return k <= 100 ? static_cast<float>(k) : (k % 2 ? 10.0f : 0.0f); });
  ComputeIndexes(model);
  EXPECT_NEAR(model.PVarIn[1].VarIndex, 78.5f, 0.1f);

  Hold(30, [](int k) { return static_cast<float>(k); });  // fewer than 100: all of them
  ComputeIndexes(model);
  EXPECT_NEAR(model.PVarIn[1].VarIndex,
              VariabilityOf(std::vector<float>(model.PVarIn[1].History.begin() + 1,
                                               model.PVarIn[1].History.begin() + 31)),
              1e-4f);
}

}  // namespace
}  // namespace kavro::test

namespace kavro::test {
namespace {

void ExpectSameIndexes(const ControllerModel& a, const ControllerModel& b) {
  for (int i = 1; i <= NumIn; ++i) {
    EXPECT_EQ(std::bit_cast<uint32_t>(a.PVarIn[i].VarIndex),
              std::bit_cast<uint32_t>(b.PVarIn[i].VarIndex))
        << "input " << i;
  }
  EXPECT_EQ(a.ErrorStep, b.ErrorStep);
}

// The sums worked out with the series side by side give the plain loop's indexes to the bit, for
// every number of samples held, with unnamed inputs among the named.
TEST(VariabilityIndexPaths, SideBySideSumsGiveThePlainLoopsIndexesToTheBit) {
  std::mt19937 random(3);
  std::normal_distribution<float> noise(0.0f, 3.0f);
  for (int held = 2; held <= 200; held += 7) {
    SCOPED_TRACE("held " + std::to_string(held));
    ControllerModel side;
    for (int i = 1; i <= NumIn; ++i) {
      side.PVarIn[i].PVarName = i == 4 ? "" : "IN" + std::to_string(i);
      for (int k = 1; k <= HistoryLength; ++k) {
        side.PVarIn[i].History[k] = 50.0f + 30.0f * std::sin(k / (5.0f + i)) + noise(random);
      }
    }
    side.HistCount = static_cast<int16_t>(held);
    ControllerModel plain = side;
    ComputeIndexes(side);
    ComputeIndexesInPlainOrder(plain);
    ExpectSameIndexes(side, plain);
  }
}

// Cycle after cycle with the memo, the indexes are the plain loop's to the bit, also where the
// history changes other than by the cycle's one new sample: samples written over, an input
// named and unnamed (for a few cycles and for more than a window), the history started again,
// a sample of -0 where +0 was.
TEST(VariabilityIndexPaths, RememberedSumsGiveThePlainLoopsIndexesToTheBit) {
  std::mt19937 random(5);
  std::normal_distribution<float> noise(0.0f, 2.0f);
  ControllerModel remembering;
  for (int i = 1; i <= NumIn; ++i) remembering.PVarIn[i].PVarName = "IN" + std::to_string(i);
  ControllerModel plain = remembering;
  IndexMemo memo;
  for (int cycle = 1; cycle <= 520; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    for (ControllerModel* model : {&remembering, &plain}) {
      if (cycle == 240) model->PVarIn[3].History[150] += 1.0f;
      // Once the cycle has shifted the history in: the window's first sample, and one of its
      // last eight (compared in other steps).
      if (cycle == 245) model->PVarIn[1].History[HistoryLength - 98] += 1.0f;
      if (cycle == 250) model->PVarIn[6].History[HistoryLength - 2] += 0.5f;
      if (cycle == 260) model->PVarIn[2].PVarName = "";
      if (cycle == 280) model->PVarIn[2].PVarName = "IN2";
      if (cycle == 300) model->HistCount = 0;
      if (cycle == 420) model->PVarIn[4].PVarName = "";  // unnamed over more than a window
      if (cycle == 500) model->PVarIn[4].PVarName = "IN4";
      if (cycle == 460) model->PVarIn[5].History[120] = -0.0f;
    }
    const float wave = 20.0f * std::sin(static_cast<float>(cycle) / 17.0f);
    for (int i = 1; i <= NumIn; ++i) {
      const float value = i == 5 && cycle >= 340 ? 0.0f : 50.0f + wave * i + noise(random);
      remembering.PVarIn[i].PVIN = plain.PVarIn[i].PVIN = value;
    }
    UpdateHistoryAndSlopes(remembering);
    UpdateHistoryAndSlopes(plain);
    ComputeIndexes(remembering, memo);
    ComputeIndexesInPlainOrder(plain);
    ExpectSameIndexes(remembering, plain);
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace kavro::test
