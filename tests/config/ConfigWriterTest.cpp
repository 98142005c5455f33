#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/RestrictFalseReport.h"
#include "config/ConfigFile.h"
#include "config/ConfigFixtures.h"
#include "config/ConfigLines.h"
#include "display/MenuTree.h"
#include "session/SaveCommands.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

// A model with every persisted field set to something distinct.
void FillEveryField(ControllerModel& m) {
  m.Program_Interface = "kavro-plantsim";
  m.RestartInterface = true;
  m.ControlMode = "DCS";
  m.FLCBlock = {"KILN2", "LA", "LB", "TOPIC", 30, 12, "K2.FREQ", "K2.ONOFF", "K2.WD", "K2.ERR",
                true};
  for (int i = 1; i <= NumIn; ++i) {
    auto& v = m.PVarIn[i];
    v.PVarName = "IN" + std::to_string(i);
    v.Units = "degC";
    v.DCSTagPV = "TI0" + std::to_string(i) + ".PV";
    v.DCSTagHigh = "TI.H";
    v.DCSTagLow = "TI.L";
    v.PVHigh = 100.25f * i;
    v.PVIN = -3.125f;
    v.PVLow = 0.5f;
    v.PlotHi = "250";
    v.PlotLo = "AUTO";
    for (int z = 1; z <= NumZones; ++z) {
      KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
      v.Zone[z].MFName = "Z" + std::to_string(z);
      KAVRO_STRING_RESTRICT_FALSE_REPORT_END
      for (int p = 1; p <= NumPoints; ++p) {
        v.Zone[z].MFPValue[p] = static_cast<float>(z * 10 + p) - 0.5f;
        v.Zone[z].MFValue[p] = p == 1 ? 0.0f : 0.75f;
      }
    }
  }
  for (int k = 1; k <= NumOut; ++k) {
    auto& v = m.PVarOut[k];
    v.PVarName = "OUT" + std::to_string(k);
    v.DCSTagOut = "FC.OUT";
    v.DCSMaxChange = "MC";
    v.DCSChangeTime = "CT";
    v.DCSWaitChange = "WC";
    v.Max_Change = 2.5f;
    v.Change_Time = 3;
    v.Wait_Change = 10;
    v.OutputType = k == 1 ? "Incr" : "Abs";
    v.ValueOut = "12.000";
    v.Zone[4].MFName = "MID";
  }
  for (int r = 1; r <= NumRules; ++r) {
    KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
    for (int j = 1; j <= NumTerms; ++j) m.Rules[r].Term[j] = "T" + std::to_string(r * j);
    KAVRO_STRING_RESTRICT_FALSE_REPORT_END
    m.Rules[r].Operator = m.OperatorNames[1 + r % 6];
  }
}

class ConfigWriterTest : public ::testing::Test {
 protected:
  ConfigWriterTest() {
    ResetModel(world.controller.model, dir.Path());
    ApplyDefaults(world.controller.model);
  }
  ScratchDir dir;
  FakeWorld world;
};

TEST_F(ConfigWriterTest, WrittenFileHas1002CrLfLinesInOrder) {
  FillEveryField(world.controller.model);
  ASSERT_TRUE(WriteConfig(world.controller));
  const std::string bytes = dir.Read("FLC.dat");
  const auto lines = SplitConfigLines(bytes);
  ASSERT_EQ(lines.size(), 1002u);
  std::size_t crlf = 0;
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
    ++crlf;
  EXPECT_EQ(crlf, 1002u);
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
  EXPECT_EQ(lines[0], "FLCVersion: Kavro Version 1.0.0");
  EXPECT_EQ(lines[1], "12/5/2026 12:00:00 PM");
  EXPECT_EQ(lines[3], "RESTART I/F: YES");
  EXPECT_EQ(lines[9], "RunFrequency: 30");
  EXPECT_EQ(lines[15], "SlopeCorr: True");
  EXPECT_EQ(lines[17], "Start_PVarIn:");
  EXPECT_EQ(lines[24], "PVHigh: 100.250");
  EXPECT_EQ(lines[25], "PVIN: -3.125");
  EXPECT_EQ(lines[29], "MFName: Z1");
  EXPECT_EQ(lines[30], "MFPValue: ");
  EXPECT_EQ(lines[31], "10.500");
  EXPECT_EQ(lines[35], "MFValue: ");
  EXPECT_EQ(lines[36], "0.000");
  EXPECT_EQ(lines[1001], "End_ControlMode:");
  EXPECT_EQ(lines[1000], "DCS");
}

TEST_F(ConfigWriterTest, WriteThenReadKeepsEveryPersistedField) {
  ControllerModel& written = world.controller.model;
  FillEveryField(written);
  written.PVarIn[2].Zone[5].MFName = "";        // read back as "Zone 5"
  written.PVarOut[2].Zone[1].MFValue[2] = 1.5f;  // cut to 1
  written.Rules[7].Operator = "";                // becomes MIN
  written.PVarOut[1].OutputType = "";            // becomes Incr
  ASSERT_TRUE(WriteConfig(world.controller));

  FakeWorld again;
  ControllerModel& read = again.controller.model;
  ResetModel(read, dir.Path());
  ApplyDefaults(read);
  ASSERT_TRUE(ReadConfig(again.controller));
  EXPECT_TRUE(again.op.messages.empty());

  // The stated exceptions, then everything else must be equal.
  EXPECT_EQ(read.PVarIn[2].Zone[5].MFName, "Zone 5");
  EXPECT_FLOAT_EQ(read.PVarOut[2].Zone[1].MFValue[2], 1.0f);
  EXPECT_EQ(read.Rules[7].Operator, "MIN");
  EXPECT_EQ(read.PVarOut[1].OutputType, "Incr");
  EXPECT_EQ(read.PVarOut[1].ValueOut, "Not Used");
  written.PVarIn[2].Zone[5].MFName = "Zone 5";
  written.PVarOut[2].Zone[1].MFValue[2] = 1.0f;
  written.Rules[7].Operator = "MIN";
  written.PVarOut[1].OutputType = "Incr";
  for (int k = 1; k <= NumOut; ++k) written.PVarOut[k].ValueOut = "Not Used";
  // Same model, same bytes: compares every persisted field at once.
  EXPECT_EQ(ConfigText(read, "date"), ConfigText(written, "date"));
}

TEST_F(ConfigWriterTest, FailedWriteKeepsTheOldFileAndTellsTheOperator) {
  dir.Write("FLC.dat", WorkedExampleFile());
  FillEveryField(world.controller.model);
  // The temporary file cannot be created: its name is taken by a folder.
  namespace fs = std::filesystem;
  for (const auto& entry : fs::directory_iterator(dir.Path())) (void)entry;
  const std::string blocker = dir.File("FLC.dat.tmp" + std::to_string(::getpid()));
  fs::create_directory(blocker);
  fs::create_directory(blocker + "/keep");
  EXPECT_FALSE(WriteConfig(world.controller));
  EXPECT_EQ(dir.Read("FLC.dat"), WorkedExampleFile());
  ASSERT_EQ(world.op.messages.size(), 1u);
  EXPECT_EQ(world.op.messages[0].text.rfind("Error in Write FLC.DAT File\r\n", 0), 0u);
  EXPECT_EQ(world.op.messages[0].title, "Kavro");
  EXPECT_EQ(world.op.messages[0].icon, MsgIcon::Exclamation);
  fs::remove_all(blocker);

  // The rename fails: FLC.dat is a folder that is not empty. Nothing is left behind.
  fs::remove(dir.File("FLC.dat"));
  fs::create_directory(dir.File("FLC.dat"));
  dir.Write("FLC.dat/inside", "x");
  world.controller.model.ChangesPending = true;
  mnuSave(world.controller);
  EXPECT_TRUE(world.controller.model.ChangesPending);  // a failed save leaves changes pending
  EXPECT_EQ(world.op.messages.size(), 2u);
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);  // only the FLC.dat folder: no temporary file remains
}

TEST_F(ConfigWriterTest, SaveTakesTheRuleTableFromTheGrid) {
  ControllerModel& m = world.controller.model;
  m.ChangesPending = true;
  for (int r = 1; r <= NumRules; ++r) {
    world.controller.grid.SetText(grid::RuleRow(r), 1, r == 2 ? "PROD" : "MIN");
    for (int j = 1; j <= NumTerms; ++j) {
      world.controller.grid.SetText(grid::RuleRow(r), j + 1, "Not Used");
    }
  }
  world.controller.grid.SetText(grid::RuleRow(2), grid::TermColumn(7), "OPEN");
  world.controller.grid.SetText(grid::RuleRow(2), 2, "LOW");
  mnuSave(world.controller);
  EXPECT_FALSE(m.ChangesPending);
  EXPECT_TRUE(world.op.messages.empty());
  EXPECT_EQ(m.Rules[2].Operator, "PROD");
  EXPECT_EQ(m.Rules[2].Term[7], "OPEN");
  EXPECT_EQ(m.Rules[2].Term[1], "LOW");
  const auto lines = SplitConfigLines(dir.Read("FLC.dat"));
  ASSERT_EQ(lines.size(), 1002u);
  // Rule 2 starts after header, inputs, outputs and rule 1.
  const std::size_t rule2 = 17 + 6 * 90 + 2 * 99 + 12;
  EXPECT_EQ(lines[rule2 + 2], "LOW");
  EXPECT_EQ(lines[rule2 + 8], "OPEN");
  EXPECT_EQ(lines[rule2 + 10], "PROD");
}

// Records whether the cycle was held while the box was up.
class HoldCheckingOperator : public FakeOperator {
 public:
  explicit HoldCheckingOperator(const ControllerModel& model) : model_(model) {}
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override {
    heldWhileShown.push_back(model_.CycleHold);
    return FakeOperator::MessageBox(text, title, icon, buttons);
  }
  std::vector<bool> heldWhileShown;

 private:
  const ControllerModel& model_;
};

TEST_F(ConfigWriterTest, SaveModeTogglesItsMarkAndExplainsIt) {
  HoldCheckingOperator op(world.controller.model);
  world.controller.ports.op = &op;
  EXPECT_FALSE(world.controller.window.menus->mnuSaveModeChecked);
  mnuSaveMode(world.controller);
  EXPECT_TRUE(world.controller.window.menus->mnuSaveModeChecked);
  mnuSaveMode(world.controller);
  EXPECT_FALSE(world.controller.window.menus->mnuSaveModeChecked);
  ASSERT_EQ(op.messages.size(), 2u);
  EXPECT_EQ(op.messages[0].text,
            "Press Menu File... Save To Save Your Preferred Control Mode for Future Use");
  EXPECT_EQ(op.messages[1].text, "Last Control Mode Saved Will Not Be Updated");
  EXPECT_EQ(op.messages[1].icon, MsgIcon::Information);
  EXPECT_EQ(op.messages[1].title, "Kavro");
  EXPECT_EQ(op.heldWhileShown, (std::vector<bool>{true, true}));
  EXPECT_FALSE(world.controller.model.CycleHold);
  EXPECT_FALSE(dir.Read("FLC.dat").size());  // the mark itself writes nothing
}

}  // namespace
}  // namespace kavro::test
