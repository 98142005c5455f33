// The demo kiln's controller in closed loop with its plant model, as kavro-tune runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "session/Replay.h"
#include "tune/DemoCopy.h"
#include "tune/ClosedLoop.h"
#include "tune/Score.h"
#include "tune/ScoreReport.h"
#include "tune/TuneInput.h"

namespace kavro::test {
namespace {

TEST(ClosedLoop, ACycleReadsThePlantAtItsStartAndThePlantTakesWhatWasSent) {
  const DemoCopy demo;
  const auto before = demo.Files();
  const LoopSetup setup = demo.Setup(2);
  const LoopTrace trace = RunClosedLoop(setup);
  EXPECT_EQ(trace.cycles, 720) << "RunFrequency 10 s";
  EXPECT_EQ(trace.errors, 0);
  ASSERT_EQ(trace.outputs.size(), 2u);
  EXPECT_EQ(trace.inputs[0].value[0], 1375.0f) << "the first cycle reads the start values";
  long moved = 0;
  for (const TracedOutput& out : trace.outputs) {
    EXPECT_EQ(out.value[0], out.start);
    for (std::size_t c = 1; c < out.value.size(); ++c) {
      const float expected = std::isnan(out.sent[c - 1])
                                 ? out.value[c - 1]
                                 : std::clamp(out.sent[c - 1], out.low, out.high);
      ASSERT_EQ(out.value[c], expected) << out.tag << " cycle " << c;
      moved += out.value[c] != out.value[c - 1];
    }
  }
  EXPECT_GT(moved, 10);
  EXPECT_EQ(demo.Files(), before) << "nothing written in the working folder";

  // The same seed gives the same bytes; another seed another run.
  EXPECT_EQ(ScoreJson(ScoreLoop(RunClosedLoop(setup))), ScoreJson(ScoreLoop(trace)));
  LoopSetup reseeded = setup;
  reseeded.plant.seed = 8;
  EXPECT_NE(ScoreJson(ScoreLoop(RunClosedLoop(reseeded))), ScoreJson(ScoreLoop(trace)));
}

TEST(ClosedLoop, ListsARuleThatCannotFire) {
  const DemoCopy demo([](ControllerModel& m) { m.Rules[2].Operator = "BDIF"; });
  const LoopScore score = ScoreLoop(RunClosedLoop(demo.Setup(1)));
  EXPECT_NE(std::find(score.neverFired.begin(), score.neverFired.end(), 2), score.neverFired.end());
  EXPECT_EQ(std::find(score.neverFired.begin(), score.neverFired.end(), 3), score.neverFired.end())
      << "rule 3 (OK, OK) fires around the start values";
}

std::string Refusal(const std::function<void()>& work) {
  try {
    work();
  } catch (const TuneInputError& bad) {
    return bad.what();
  }
  return "accepted";
}

TEST(ClosedLoop, RefusesInputItCannotWorkWithInOneLine) {
  DemoCopy demo;
  const ControllerModel& model = demo.controller.model;
  EXPECT_EQ(Refusal([&] { LoadPlantFile(demo.dir.File("none.txt")); }),
            "cannot read the plant file " + demo.dir.File("none.txt"));
  demo.dir.Write("bad.txt", "input X 1\nstir\n");
  EXPECT_EQ(Refusal([&] { LoadPlantFile(demo.dir.File("bad.txt")); }),
            demo.dir.File("bad.txt") + ": plant.txt line 2: unknown statement stir");
  EXPECT_EQ(Refusal([&] {
              Controller none;
              LoadConfiguration(none, demo.dir.Path() + "/nowhere");
            }),
            "no configuration " + demo.dir.Path() + "/nowhere/FLC.dat");

  PlantDescription plant = LoadPlantFile(demo.dir.File("plant.txt"));
  EXPECT_EQ(Refusal([&] { CheckPlantAgainstConfiguration(model, plant); }), "accepted");
  PlantDescription stranger = plant;
  stranger.values.push_back({"XI999.PV", 1});
  EXPECT_EQ(Refusal([&] { CheckPlantAgainstConfiguration(model, stranger); }),
            "the plant names XI999.PV, a tag the configuration does not have");
  PlantDescription unreached = plant;
  std::erase_if(unreached.responses, [](const PlantResponse& r) { return r.output == 1; });
  EXPECT_EQ(Refusal([&] { CheckPlantAgainstConfiguration(model, unreached); }),
            "no response of the plant reaches the output SC501.PV");

  const DemoCopy ruleless([](ControllerModel& m) {
    for (int r = 1; r <= NumRules; ++r) {
      for (int t = 1; t <= NumIn; ++t) m.Rules[r].Term[t] = kNotUsed;
    }
  });
  EXPECT_EQ(Refusal([&] { RunClosedLoop(ruleless.Setup(0.1)); }),
            "no rule of " + ruleless.dir.Path() + "/FLC.dat is in use");
}

}  // namespace
}  // namespace kavro::test
