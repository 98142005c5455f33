// The plants the tuner tunes and judges on, and the pictures its plots are drawn from.
#include <gtest/gtest.h>

#include "plant/PlantDescription.h"
#include "tune/PlotPictures.h"
#include "tune/Scenarios.h"

namespace kavro::test {
namespace {

TEST(Scenarios, TuningAndUnseenPlantsDifferInSeedScaleAndLoads) {
  const PlantDescription plant = ParsePlantDescription(
      "input T 10\ndisturbance T 2 100\nstep T 5 3600\nramp T 1 0 10\nseed 7\n");
  const std::vector<Scenario> tuning = TuningScenarios(plant);
  ASSERT_EQ(tuning.size(), 4u);
  EXPECT_EQ(tuning[0].plant.seed, 7u) << "the plant as given first";
  EXPECT_DOUBLE_EQ(tuning[1].plant.gainScale, 0.8);
  EXPECT_DOUBLE_EQ(tuning[2].plant.timeScale, 1.25);
  EXPECT_DOUBLE_EQ(tuning[3].plant.inputs[0].disturbances[0].amplitude, 4);
  EXPECT_DOUBLE_EQ(tuning[3].plant.inputs[0].steps[0].amplitude, 10);
  EXPECT_DOUBLE_EQ(tuning[3].plant.inputs[0].ramps[0].ratePerHour, 2);
  const std::vector<Scenario> unseen = UnseenScenarios(plant);
  ASSERT_EQ(unseen.size(), 3u);
  EXPECT_DOUBLE_EQ(unseen[0].plant.gainScale, 1.33);
  EXPECT_DOUBLE_EQ(unseen[0].plant.timeScale, 1.4);
  EXPECT_DOUBLE_EQ(unseen[1].plant.inputs[0].steps[0].time, 3600 + 7200);
  for (const Scenario& seen : tuning) {
    for (const Scenario& other : unseen) EXPECT_NE(seen.plant.seed, other.plant.seed);
  }
}

TEST(PlotPictures, TracesFillTheBandOnOneScaleAndTargetsStayLevel) {
  TunePlots plots;
  TracedInput in;
  in.tag = "T";
  in.value = {0, 10, 20};
  in.high = {15, 15, 15};
  in.low = {5, 5, 5};
  plots.before.inputs.push_back(in);
  in.value = {10, 10, 10};
  plots.after.inputs.push_back(in);
  const std::vector<PlotPanel> panels = InputPanels(plots);
  ASSERT_EQ(panels.size(), 1u);
  const TrendPicture& p = panels[0].picture;
  ASSERT_EQ(p.traces.size(), 4u);  // high, low, before, after
  EXPECT_EQ(p.traces[0].points[0].y, p.traces[0].points[2].y) << "a level target is level";
  const TrendTrace& before = p.traces[2];
  EXPECT_DOUBLE_EQ(before.points[0].x, 0);
  EXPECT_DOUBLE_EQ(before.points[2].x, 1);
  // 0 and 20 sit a twentieth of the scale inside the band's bottom and top.
  const double band = p.bandBottom - p.bandTop;
  EXPECT_NEAR(before.points[2].y, p.bandTop + band / 22, 1e-12);
  EXPECT_NEAR(before.points[0].y, p.bandBottom - band / 22, 1e-12);
  EXPECT_NEAR(p.traces[3].points[1].y, (p.bandTop + p.bandBottom) / 2, 1e-12);
  EXPECT_NE(panels[0].title.find("scale -1 .. 21"), std::string::npos) << panels[0].title;

  plots.bestSoFar = {5, 4, 4, 2};
  EXPECT_EQ(ObjectivePanel(plots).picture.traces[0].points.size(), 4u);
}

}  // namespace
}  // namespace kavro::test
