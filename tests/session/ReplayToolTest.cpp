// kavro-replay end to end: the program itself on a configuration saved by the controller.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/EngineTestModel.h"
#include "config/ConfigFile.h"
#include "support/FakePorts.h"
#include "support/TestPaths.h"

namespace kavro::test {
namespace {

const std::string kReplay = std::string(KAVRO_BINARY_DIR) + "/tools/kavro-replay/kavro-replay";

class ReplayToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(kReplay)) << "build the kavro-replay target first";
    Controller& controller = world.controller;
    StartController(controller);
    ControllerModel& model = controller.model;
    model.WorkDir = dir.Path();
    model.ControlMode = kModeDCS;  // replay starts in To DCS: error code 0, not -90
    model.PVarIn[2].PVarName = "TI101";
    SetZone(model.PVarIn[2].Zone[4], "Hot", {50, 100, 100, 100}, {0, 1, 1, 1});
    model.PVarOut[1].PVarName = "FC101";
    model.PVarOut[1].DCSTagHigh = "FC101.HI";
    model.PVarOut[1].PVHigh = 1000;
    SetZone(model.PVarOut[1].Zone[1], "Up", {4, 5, 6, 7}, {1, 1, 1, 0});
    SetRule(controller, 1, "PROD", {{2, "Hot"}, {7, "Up"}});
    ASSERT_TRUE(WriteConfig(controller));
  }
  // Runs the program; standard output and error go to files in the scratch folder.
  int Run(const std::string& arguments) {
    const std::string command = kReplay + " " + arguments + " >" + dir.File("stdout") + " 2>" +
                                dir.File("stderr");
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  FakeWorld world;
  ScratchDir dir;
};

TEST_F(ReplayToolTest, ReplaysATraceThroughTheSavedConfiguration) {
  dir.Write("trace.csv", "TI101,FC101,FC101.High\n75,40,50\n100,40,41.5\n");
  ASSERT_EQ(Run("--workdir " + dir.Path() + " --trace " + dir.File("trace.csv")), 0);
  const std::string results = dir.Read("stdout");
  EXPECT_EQ(results.substr(0, results.find('\n')),
            "cycle,FC101.ValueOut,FC101.SendOutput,FC101.ClampIncrease,FC101.ClampDecrease,"
            "ErrorCodeValue,R1,R2,R3,R4,R5,R6,R7,R8,R9,R10,R11,R12,R13,R14,R15,R16,R17,R18,R19,"
            "R20,TI101.VarIndex");
  EXPECT_NE(results.find("\n1,42.000,True,False,False,0,0.5000,Not Used,"), std::string::npos)
      << results;
  EXPECT_NE(results.find("\n2,41.500,True,False,False,0,1.0000,Not Used,"), std::string::npos);
  EXPECT_EQ(dir.Read("stderr"), "kavro-replay: 2 cycles run, 0 reported an error\n");

  ASSERT_EQ(Run("--workdir " + dir.Path() + " --trace " + dir.File("trace.csv") + " --out " +
                dir.File("out.csv")),
            0);
  EXPECT_EQ(dir.Read("out.csv"), results);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            5)  // FLC.dat, trace.csv, stdout, stderr, out.csv: nothing half-written left
      << "a temporary file was left behind";
}

TEST_F(ReplayToolTest, CycleErrorsAndAnUnreadableConfigurationAreNotASuccess) {
  // 1e40 overflows a single: the cycle of that row reports it, the others run clean.
  dir.Write("trace.csv", "TI101,FC101\n75,40\n1e40,40\n80,40\n");
  EXPECT_EQ(Run("--workdir " + dir.Path() + " --trace " + dir.File("trace.csv")), 3);
  const std::string errors = dir.Read("stderr");
  EXPECT_NE(errors.find("Cycle 2 ("), std::string::npos) << errors;
  EXPECT_NE(errors.find("Error Description = Overflow"), std::string::npos);
  EXPECT_EQ(errors.substr(errors.rfind("kavro-replay:")),
            "kavro-replay: 3 cycles run, 1 reported an error\n");

  dir.Write("FLC.dat", "FLCVersion: Kavro Version 1.0.0\r\nnot what the reader expects\r\n");
  EXPECT_EQ(Run("--workdir " + dir.Path() + " --trace " + dir.File("trace.csv")), 1);
  EXPECT_NE(dir.Read("stderr").find("Error in Read FLC.DAT File"), std::string::npos)
      << dir.Read("stderr");
  EXPECT_NE(dir.Read("stderr").find("FLC.dat could not be read; nothing replayed"),
            std::string::npos);
  EXPECT_EQ(dir.Read("stdout"), "");
}

TEST_F(ReplayToolTest, ExitStatusTellsABadTraceFromAMissingFile) {
  dir.Write("bad.csv", "TI101,FC101\n75,40\n80,forty\n");
  EXPECT_EQ(Run("--workdir " + dir.Path() + " --trace " + dir.File("bad.csv")), 1);
  EXPECT_NE(dir.Read("stderr").find("row 3, column 2 (FC101): \"forty\" is not a number"),
            std::string::npos);
  EXPECT_EQ(Run("--workdir " + dir.File("nowhere") + " --trace " + dir.File("bad.csv")), 2);
  EXPECT_EQ(Run("--workdir " + dir.Path() + " --trace " + dir.File("bad.csv") + " --out " +
                dir.File("nowhere/out.csv")),
            1);  // the bad trace is told first
  EXPECT_EQ(Run("--workdir " + dir.Path() + " --trace " + dir.File("none.csv")), 2);
  EXPECT_EQ(Run("--workdir " + dir.Path()), 2);
}

// The trace is checked while the cycles run: a bad row at the end of a long trace still leaves
// nothing but its message - no results on standard output, no error of a cycle that ran before
// it (row 2 overflows), an old results file as it was and nothing beside it.
TEST_F(ReplayToolTest, ABadRowLateInALongTraceShowsNothingElse) {
  std::string trace = "TI101,FC101\n75,40\n1e40,40\n";
  for (int row = 0; row < 30000; ++row) trace += "80,40\n";
  dir.Write("late.csv", trace + "80,40,1\n");
  const std::string message =
      "kavro-replay: " + dir.File("late.csv") +
      ": row 30004, column 3: the row has 3 cells, the header 2\n";
  EXPECT_EQ(Run("--workdir " + dir.Path() + " --trace " + dir.File("late.csv")), 1);
  EXPECT_EQ(dir.Read("stdout"), "");
  EXPECT_EQ(dir.Read("stderr"), message);

  dir.Write("out.csv", "old results\n");
  EXPECT_EQ(Run("--workdir " + dir.Path() + " --trace " + dir.File("late.csv") + " --out " +
                dir.File("out.csv")),
            1);
  EXPECT_EQ(dir.Read("stderr"), message);
  EXPECT_EQ(dir.Read("out.csv"), "old results\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            5);  // FLC.dat, late.csv, stdout, stderr, out.csv
}

}  // namespace
}  // namespace kavro::test
