// The plant model that the simulator and the tuner run: its responses, load changes and file.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "plant/PlantSimulation.h"

namespace kavro::test {
namespace {

PlantSimulation Plant(const std::string& text) { return PlantSimulation(ParsePlantDescription(text)); }

// Runs the plant to that plant time and reads the tag.
double At(PlantSimulation& plant, double seconds, const std::string& tag = "T") {
  while (plant.Time() + PlantSimulation::kStepSeconds / 2 < seconds) plant.Step();
  return *plant.Read(tag);
}

std::string Refusal(const std::string& text) {
  try {
    ParsePlantDescription(text);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "accepted";
}

TEST(PlantSimulation, AStepResponseFollowsFirstOrderPlusDeadTimeAndStartsFromStart) {
  // Gain 2, time constant 10 s, dead time 5 s; the valve moves from 50 to 60 before the first
  // step: the input must see the valve's START for the first 5 s, then the exact lag.
  PlantSimulation plant = Plant(
      "input T 100\n"
      "output V V.SP 50 0 100\n"
      "response T V 2 10 5\n");
  plant.Write("V.SP", 60);
  EXPECT_DOUBLE_EQ(*plant.Read("V"), 60.0);
  for (const double t : {0.5, 2.5, 5.0}) EXPECT_DOUBLE_EQ(At(plant, t), 100.0) << "t = " << t;
  for (const double t : {5.5, 8.0, 15.0, 40.0, 120.0}) {
    EXPECT_NEAR(At(plant, t), 100.0 + 2 * 10 * (1 - std::exp(-(t - 5) / 10)), 1e-9) << "t = " << t;
  }
  // Beyond its limits the valve stops at them; the input follows the limited move.
  plant.Write("V.SP", 500);
  EXPECT_DOUBLE_EQ(*plant.Read("V"), 100.0);
  EXPECT_NEAR(At(plant, 400), 100.0 + 2 * 50, 1e-6);
  EXPECT_FALSE(plant.Read("NOSUCH").has_value());
}

TEST(PlantSimulation, DisturbancesStepsRampsAndScaleAddUp) {
  PlantSimulation plant = Plant(
      "input T 10\n"
      "output V V.SP 0 -100 100\n"
      "response T V 2 10 4\n"
      "disturbance T 1 100\n"
      "disturbance T 2 40   # a second period on the same input\n"
      "step T 5 10\n"
      "step T -2 20\n"
      "ramp T 36 100 200    # 0.01 a second for 100 s\n"
      "scale 1.5 2          # gain 3, time constant 20 s, dead time 8 s\n");
  const auto sines = [](double t) {
    return std::sin(2 * std::numbers::pi * t / 100) + 2 * std::sin(2 * std::numbers::pi * t / 40);
  };
  plant.Write("V.SP", 10);
  EXPECT_NEAR(At(plant, 8), 10 + sines(8), 1e-9) << "dead time scaled to 8 s";
  EXPECT_NEAR(At(plant, 15), 10 + sines(15) + 5 + 30 * (1 - std::exp(-7.0 / 20)), 1e-9);
  EXPECT_NEAR(At(plant, 150), 10 + sines(150) + 3 + 0.5 + 30 * (1 - std::exp(-142.0 / 20)), 1e-9);
  EXPECT_NEAR(At(plant, 400), 10 + sines(400) + 3 + 1.0 + 30, 1e-6) << "a ramp keeps its drift";
}

TEST(PlantSimulation, TheSameSeedGivesTheSameNoiseAndTheStateGoesOnWhereItStopped) {
  const std::string text = "input T 0\nnoise T 1\nseed 9\n";
  PlantSimulation a = Plant(text);
  PlantSimulation b = Plant(text);
  const std::string saved = a.SaveState("k");
  for (int n = 0; n < 50; ++n) {
    a.Step();
    b.Step();
  }
  EXPECT_EQ(*a.Read("T"), *b.Read("T"));
  EXPECT_NE(*a.Read("T"), 0.0);
  ASSERT_TRUE(b.RestoreState(saved, "k"));
  EXPECT_EQ(b.Time(), 0.0);
  EXPECT_FALSE(b.RestoreState(saved, "other plant"));
}

TEST(PlantDescription, RefusesWhatItCannotTakeNamingTheLines) {
  EXPECT_EQ(Refusal("input T 1\nvalue T.HI 5\n\nvalue T.HI 6\n"),
            "plant.txt line 4: value T.HI is given twice, on line 2 and on line 4");
  EXPECT_EQ(Refusal("input T 1\ninput T 2\n"),
            "plant.txt line 2: input T is given twice, on line 1 and on line 2");
  EXPECT_EQ(Refusal("output V V.SP 1 0 2\n# again\noutput V W.SP 1 0 2\n"),
            "plant.txt line 3: output V is given twice, on line 1 and on line 3");
  EXPECT_EQ(Refusal("input T 1\nnoise T 1\nnoise T 2\n"),
            "plant.txt line 3: noise T is given twice, on line 2 and on line 3");
  EXPECT_EQ(Refusal("input T 1\nramp T 1 200 100\n"), "plant.txt line 2: TO is before FROM");
  EXPECT_EQ(Refusal("input T 1\nstep T 1\n"),
            "plant.txt line 2: expected step INPUTTAG AMPLITUDE TIME");
  EXPECT_EQ(Refusal("step X 1 2\n"), "plant.txt line 1: no input named X above this line");
  EXPECT_EQ(Refusal("scale 0 1\n"), "plant.txt line 1: a factor is not above 0");
  EXPECT_EQ(Refusal("input T 1\nstir T\n"), "plant.txt line 2: unknown statement stir");
  // Steps and disturbances on one input are meant to add up: never refused as twice.
  EXPECT_EQ(Refusal("input T 1\nstep T 1 2\nstep T 1 2\ndisturbance T 1 9\ndisturbance T 1 9\n"),
            "accepted");
}

}  // namespace
}  // namespace kavro::test
