// kavro-plantsim as a link client program, driven through the controller's own link files.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "config/ConfigFile.h"
#include "link/FileLink.h"
#include "link/LinkFiles.h"
#include "link/PosixProcessStarter.h"
#include "support/Eventually.h"
#include "support/FakePorts.h"
#include "support/TestPaths.h"
#include "common/RestrictFalseReport.h"

namespace kavro::test {
namespace {

using namespace std::chrono_literals;

// One input T that answers the valve V with a gain of 2 after a 5 s dead time (time constant
// 10 s); the valve is kept within 0..80.
constexpr const char* kPlant =
    "# test plant\n"
    "input T 100\n"
    "output V.PV V.SP 50 0 80   # valve\n"
    "response T V.PV 2 10 5\n"
    "value T.HI 150\n";

class SimulatorRun {
 public:
  SimulatorRun() {
    ControllerModel& m = world.controller.model;
    ResetModel(m, dir.Path());
    ApplyDefaults(m);
    m.FLCBlock.Name1 = "FLC1";
    m.FLCBlock.RunFrequency = 20;
    m.FLCBlock.LinkFrequency = 5;
    m.FLCBlock.DCSONOFF = "ONOFF";
    m.FLCBlock.DCSWatchDog = "WD";
    m.FLCBlock.DCSRunFreq = "RF";
    KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
    m.PVarIn[1].DCSTagPV = "T";
    KAVRO_STRING_RESTRICT_FALSE_REPORT_END
    m.PVarIn[1].DCSTagHigh = "T.HI";
    m.PVarOut[1].DCSTagPV = "V.PV";
    m.PVarOut[1].DCSTagOut = "V.SP";
    m.PVarOut[1].DCSTagHigh = "V.HI";  // not in the plant file: reads 0
    m.PVarIn[1].PVLow = -5;            // its tag is blank: never read
    m.ToFileMode = false;
    m.Link.LinkStatus = m.Link.LinkStatusSent = kOn;
    world.controller.ports.files = &SystemFileSystem();
    WriteConfig(world.controller);
    WriteTagFile(world.controller);
    dir.Write("plant.txt", kPlant);
    id = processes.Start(std::string(KAVRO_BINARY_DIR) + "/tools/kavro-plantsim/kavro-plantsim",
                         {"--speed", "100", "--idle", "20", "--dir", dir.Path(), "FLC1"});
  }
  ~SimulatorRun() {
    if (processes.IsRunning(id)) kill(static_cast<pid_t>(id), SIGKILL);
  }

  // Sends one output value (as the control cycle would) and reads back, after the plant time
  // the response needs, what the simulator reports.
  void SendThenRead(const std::string& valueOut, std::chrono::milliseconds settle) {
    ControllerModel& m = world.controller.model;
    m.PVarOut[1].ValueOut = valueOut;
    m.PVarOut[1].SendOutput = true;
    m.Link.PlantReadThisCycle = true;  // as in a cycle that read the plant
    WriteLinkOutput(world.controller);
    ASSERT_FALSE(m.LinkWriteError);
    std::this_thread::sleep_for(settle);
    ReadLinkInput(world.controller);
    ASSERT_FALSE(m.LinkReadError);
  }

  bool InFileThere() const { return std::filesystem::exists(dir.File("FLC1.IN")); }

  ScratchDir dir;
  FakeWorld world;
  PosixProcessStarter processes;
  long long id = 0;
};

TEST(PlantSimulator, AnswersTheTagsFollowsTheOutputsWithinLimitsAndStopsOnStop) {
  SimulatorRun run;
  ControllerModel& m = run.world.controller.model;
  ASSERT_GT(run.id, 0);
  ASSERT_TRUE(Eventually(10s, [&] { return run.InFileThere(); }));

  ReadLinkInput(run.world.controller);
  ASSERT_FALSE(m.LinkReadError);
  EXPECT_EQ(m.DCSOnOffValue, 1);
  EXPECT_EQ(m.FLCBlock.RunFrequency, 20);  // from FLC.dat
  EXPECT_FLOAT_EQ(m.PVarIn[1].PVIN, 100.0f);
  EXPECT_FLOAT_EQ(m.PVarIn[1].PVHigh, 150.0f);
  EXPECT_FLOAT_EQ(m.PVarIn[1].PVLow, -5.0f);
  EXPECT_FLOAT_EQ(m.PVarOut[1].PVIN, 50.0f);
  EXPECT_FLOAT_EQ(m.PVarOut[1].PVHigh, 0.0f);
  const auto lines = run.dir.Read("FLC1.IN");
  EXPECT_EQ(lines.substr(0, 8), "\"FLC1\"\r\n");

  // 70 moves the valve at once; T follows by 2 x 20 after its dead time and lag (60 plant s).
  run.SendThenRead("70.000", 1000ms);
  EXPECT_FLOAT_EQ(m.PVarOut[1].PVIN, 70.0f);
  EXPECT_NEAR(m.PVarIn[1].PVIN, 140.0f, 1.0f);

  run.SendThenRead("95.000", 300ms);  // beyond the valve's limit
  EXPECT_FLOAT_EQ(m.PVarOut[1].PVIN, 80.0f);
  run.SendThenRead(kNotUsed, 300ms);  // X: no change
  EXPECT_FLOAT_EQ(m.PVarOut[1].PVIN, 80.0f);

  FileLink().SwitchOff(run.world.controller);  // the STOP file
  EXPECT_TRUE(Eventually(10s, [&] { return !run.processes.IsRunning(run.id); }));
  EXPECT_FALSE(run.InFileThere()) << "an ended client leaves no values behind";
}

TEST(PlantSimulator, GivesWayToANewerOneWhichEndsWhenTheControllerFallsSilent) {
  SimulatorRun run;
  ASSERT_GT(run.id, 0);
  // A second simulator for the same controller (a client restarted while the old one lives):
  // the older one ends, and the newer one ends by itself as no .OUT ever comes.
  ASSERT_TRUE(Eventually(10s, [&] { return run.InFileThere(); }));
  const long long second =
      run.processes.Start(std::string(KAVRO_BINARY_DIR) + "/tools/kavro-plantsim/kavro-plantsim",
                          {"--speed", "100", "--idle", "1", "--dir", run.dir.Path(), "FLC1"});
  ASSERT_GT(second, 0);
  EXPECT_TRUE(Eventually(10s, [&] { return !run.processes.IsRunning(run.id); }))
      << "the older simulator gives way to the newer one";
  EXPECT_TRUE(Eventually(10s, [&] { return !run.processes.IsRunning(second); }))
      << "the newer one ends after a second without a new .OUT";
  EXPECT_FALSE(run.InFileThere());
}

TEST(PlantSimulator, ARestartedSimulatorGoesOnFromThePlantStateItLeft) {
  SimulatorRun run;
  ControllerModel& m = run.world.controller.model;
  ASSERT_TRUE(Eventually(10s, [&] { return run.InFileThere(); }));
  run.SendThenRead("70.000", 1000ms);
  ASSERT_FLOAT_EQ(m.PVarOut[1].PVIN, 70.0f);
  ASSERT_NEAR(m.PVarIn[1].PVIN, 140.0f, 1.0f);

  // The controller restarts its link client: the plant must not jump back to its start values.
  kill(static_cast<pid_t>(run.id), SIGTERM);
  ASSERT_TRUE(Eventually(10s, [&] { return !run.processes.IsRunning(run.id); }));
  ASSERT_FALSE(run.dir.Read("plant.txt.state").empty()) << "the state is kept beside plant.txt";
  run.id = run.processes.Start(
      std::string(KAVRO_BINARY_DIR) + "/tools/kavro-plantsim/kavro-plantsim",
      {"--speed", "100", "--idle", "20", "--dir", run.dir.Path(), "FLC1"});
  ASSERT_TRUE(Eventually(10s, [&] { return run.InFileThere(); }));
  ReadLinkInput(run.world.controller);
  ASSERT_FALSE(m.LinkReadError);
  EXPECT_FLOAT_EQ(m.PVarOut[1].PVIN, 70.0f);
  EXPECT_NEAR(m.PVarIn[1].PVIN, 140.0f, 1.0f);
}

}  // namespace
}  // namespace kavro::test
