// The PI baseline: its SIMC settings, its pairing, and no control at all.
#include <gtest/gtest.h>

#include "tune/Baseline.h"
#include "tune/DemoCopy.h"
#include "tune/Score.h"

namespace kavro::test {
namespace {

TEST(Baseline, SimcSettingsOfAKnownResponse) {
  double kc = 0;
  double ti = 0;
  // Gain 2, time constant 100 s, dead time 10 s, continuous and unfiltered: tc = theta = 10,
  // Kc = 100 / (2 x 20), Ti = min(100, 4 x 20).
  SimcSettings({2, 100, 10, 0, 0}, kc, ti);
  EXPECT_DOUBLE_EQ(kc, 2.5);
  EXPECT_DOUBLE_EQ(ti, 80);
  // Sampled every 10 s behind a 20 s filter: theta = 10 + 5 + 10, tau = 110; a negative gain
  // turns the controller's direction round.
  SimcSettings({-2, 100, 10, 20, 10}, kc, ti);
  EXPECT_DOUBLE_EQ(kc, -1.1);
  EXPECT_DOUBLE_EQ(ti, 110);
}

TEST(Baseline, PairsEachOutputWithTheInputItMovesMostUnlessTold) {
  const DemoCopy demo;
  const PlantDescription plant = LoadPlantFile(demo.dir.File("plant.txt"));
  const std::vector<PiLoop> loops = PlanBaseline(demo.controller.model, plant, {});
  ASSERT_EQ(loops.size(), 2u);
  EXPECT_EQ(loops[0].outputTag + "<" + loops[0].inputTag, "FC401.PV<TI101.PV");
  EXPECT_EQ(loops[1].outputTag + "<" + loops[1].inputTag, "SC501.PV<AI201.PV");
  EXPECT_DOUBLE_EQ(loops[0].filterSeconds, 20) << "one dead time";
  EXPECT_DOUBLE_EQ(loops[1].filterSeconds, 10) << "one dead time, at least one run period";
  EXPECT_GT(loops[0].kc, 0);

  BaselineOptions options;
  options.pairs = {{"AI202.PV", "SC501.PV"}};
  options.filterSeconds = 0;
  const std::vector<PiLoop> told = PlanBaseline(demo.controller.model, plant, options);
  EXPECT_EQ(told[1].inputTag, "AI202.PV");
  EXPECT_DOUBLE_EQ(told[1].filterSeconds, 0);
  EXPECT_EQ(told[0].inputTag, "TI101.PV");

  options.pairs = {{"JI301.PV", "SC501.PV"}};
  EXPECT_THROW(PlanBaseline(demo.controller.model, plant, options), TuneInputError);
}

TEST(Baseline, ThePiHoldsTheTemperatureNearTheMiddleAndNoControlMovesNothing) {
  const DemoCopy demo;
  LoopSetup setup = demo.Setup(4);
  setup.replaceOutputs = PiController(
      PlanBaseline(demo.controller.model, setup.plant, {}), demo.controller.model.FLCBlock.RunFrequency);
  const LoopScore pi = ScoreLoop(RunClosedLoop(setup));
  EXPECT_LT(pi.inputs[0].meanDev, 5) << "from 45 below the middle at the start";
  EXPECT_GT(pi.outputs[0].travel, 3);

  setup.replaceOutputs = HoldOutputs();
  const LoopScore none = ScoreLoop(RunClosedLoop(setup));
  EXPECT_GT(none.inputs[0].meanDev, 40);
  for (const OutputScore& out : none.outputs) EXPECT_EQ(out.travel, 0) << out.tag;
}

}  // namespace
}  // namespace kavro::test
