// The score of a closed-loop run, on a hand-made trace whose figures are known.
#include <gtest/gtest.h>

#include <limits>

#include "tune/Score.h"
#include "tune/ScoreReport.h"

namespace kavro::test {
namespace {

constexpr float kNone = std::numeric_limits<float>::quiet_NaN();

// Six cycles of a minute (0.1 h): T against targets 0..10, V in 0..100 starting at 50.
LoopTrace HandMadeTrace() {
  LoopTrace trace;
  trace.cycleSeconds = 60;
  trace.cycles = 6;
  trace.errors = 2;
  TracedInput in;
  in.tag = "T";
  in.value = {5, 12, 13, 5, -1, 5};
  in.high.assign(6, 10);
  in.low.assign(6, 0);
  in.zoneSlots = {1, 2};
  in.zoneNames = {"LOW", "OK"};
  in.zonePeak = {0.5f, 0.9f};
  trace.inputs.push_back(in);
  TracedOutput out;
  out.tag = "V";
  out.low = 0;
  out.high = 100;
  out.start = 50;
  out.sent = {kNone, 50.05f, 60, kNone, 55, 55};
  out.value = {50, 50, 50.05f, 60, 100, 55};
  out.held = {0, 0, 0, 1, 0, 0};
  trace.outputs.push_back(out);
  trace.rulesInUse = {1, 2, 14};
  trace.rulesFired = {1};
  return trace;
}

TEST(ScoreLoop, MeasuresBandDistancesTravelAndCoverageOfAKnownTrace) {
  const LoopScore score = ScoreLoop(HandMadeTrace());
  EXPECT_NEAR(score.hours, 0.1, 1e-12);
  ASSERT_EQ(score.inputs.size(), 1u);
  const InputScore& in = score.inputs[0];
  EXPECT_DOUBLE_EQ(in.inBand, 0.5);
  EXPECT_NEAR(in.outside, (2 + 3 + 1) / 60.0, 1e-12) << "units x hours";
  EXPECT_DOUBLE_EQ(in.longestOutsideS, 120);
  EXPECT_DOUBLE_EQ(in.meanDev, 3.5);
  EXPECT_NEAR(in.sd, 4.752192, 1e-6);

  ASSERT_EQ(score.outputs.size(), 1u);
  const OutputScore& out = score.outputs[0];
  // 50 -> 50.05 is travel but no move (not above 0.1 % of the range); nothing sent is no change.
  EXPECT_NEAR(out.travel, 0.05 + 9.95 + 5, 1e-5);
  EXPECT_NEAR(out.travelRanges, 0.15, 1e-7);
  EXPECT_NEAR(out.movesPerHour, 20, 1e-9);
  EXPECT_NEAR(out.atLimits, 1 / 6.0, 1e-12);
  EXPECT_EQ(out.clamped, 1);

  EXPECT_EQ(score.neverFired, (std::vector<int>{2, 14}));
  ASSERT_EQ(score.idleZones.size(), 1u) << "exactly 0.5 has not passed 0.5";
  EXPECT_EQ(score.idleZones[0].zone, "LOW");
  // 100 x 0.5 outside + 10 x (0.1 u.h / 0.1 h / 5) + 5 x 3.5 / 5, then 0.1 x 0.15 ranges a
  // tenth of an hour scaled to 24 h + 0.01 x 20 moves an hour, and 2 cycle errors.
  EXPECT_NEAR(score.objective, 50 + 2 + 3.5 + 3.6 + 0.2 + 2, 1e-4);

  EXPECT_EQ(ScoreJson(score),
            "{\"hours\":0.1,\"cycles\":6,\"errors\":2,\"objective\":61.3,\"inputs\":[{\"tag\":"
            "\"T\",\"in_band\":0.5,\"outside\":0.1,\"longest_outside_s\":120.0,\"mean_dev\":3.5,"
            "\"sd\":4.7522}],\"outputs\":[{\"tag\":\"V\",\"moves_per_hour\":20.0,\"travel\":15.0,"
            "\"travel_ranges\":0.15,\"at_limits\":0.1667,\"clamped\":1}],\"never_fired\":[2,14],"
            "\"idle_zones\":[{\"tag\":\"T\",\"zone\":\"LOW\"}]}\n");
}

TEST(ScoreLoop, AnInputWithoutTargetsIsScoredButLeftOutOfTheObjective) {
  LoopTrace trace = HandMadeTrace();
  trace.outputs.clear();
  trace.errors = 0;
  trace.inputs[0].high.assign(6, 0);
  const LoopScore score = ScoreLoop(trace);
  EXPECT_DOUBLE_EQ(score.objective, 0);
  EXPECT_LT(score.inputs[0].inBand, 1);
}

// An hour of 10 s cycles: the input at value while its targets are 0..10; the output swings
// between 0 and swing (range 0..100) every cycle.
LoopTrace SteadyTrace(float value, float swing) {
  LoopTrace trace;
  trace.cycleSeconds = 10;
  trace.cycles = 360;
  TracedInput in;
  in.tag = "T";
  in.value.assign(360, value);
  in.high.assign(360, 10);
  in.low.assign(360, 0);
  trace.inputs.push_back(in);
  TracedOutput out;
  out.tag = "V";
  out.high = 100;
  for (int c = 0; c < 360; ++c) out.sent.push_back(c % 2 ? swing : 0.0f);
  out.value = out.sent;
  out.held.assign(360, 0);
  trace.outputs.push_back(out);
  return trace;
}

TEST(ScoreLoop, HoldingTheTargetsWithMuchTravelRanksAboveLeavingThemWithNone) {
  // A busy loop that keeps the input at the targets' middle, travelling some 108 ranges a day,
  // beats one that sits just outside the targets without moving, and a still one in the middle
  // beats both: outside first, travel only between runs that hold the targets alike.
  const double busyInside = ScoreLoop(SteadyTrace(5, 1.25f)).objective;
  const double stillOutside = ScoreLoop(SteadyTrace(10.5f, 0)).objective;
  const double stillInside = ScoreLoop(SteadyTrace(5, 0)).objective;
  EXPECT_NEAR(ScoreLoop(SteadyTrace(5, 1.25f)).outputs[0].travelRanges * 24, 107.7, 0.1);
  EXPECT_LT(busyInside, stillOutside);
  EXPECT_LT(stillInside, busyInside);
  EXPECT_GT(stillOutside, 100) << "all the time outside costs the full weight";
}

}  // namespace
}  // namespace kavro::test
