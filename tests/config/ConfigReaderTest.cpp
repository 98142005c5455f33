#include <gtest/gtest.h>

#include "config/ConfigFile.h"
#include "config/ConfigFixtures.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

class ConfigReaderTest : public ::testing::Test {
 protected:
  ConfigReaderTest() {
    ResetModel(model(), dir.Path());
    ApplyDefaults(model());
  }
  ControllerModel& model() { return world.controller.model; }
  bool Read(const std::string& text) {
    dir.Write("FLC.dat", text);
    return ReadConfig(world.controller);
  }
  // The one message the reader showed.
  std::string Message() {
    EXPECT_EQ(world.op.messages.size(), 1u);
    return world.op.messages.empty() ? "" : world.op.messages.back().text;
  }
  ScratchDir dir;
  FakeWorld world;
};

TEST_F(ConfigReaderTest, WorkedExampleReadsIntoTheDescribedState) {
  ASSERT_TRUE(Read(WorkedExampleFile()));
  EXPECT_TRUE(world.op.messages.empty());
  const auto& in = model().PVarIn[1];
  EXPECT_EQ(in.PVarName, "TEMP");
  EXPECT_FLOAT_EQ(in.PVIN, 150.0f);
  EXPECT_EQ(in.Zone[1].MFName, "LOW");
  EXPECT_EQ(in.Zone[2].MFName, "HIGH");
  EXPECT_FLOAT_EQ(in.Zone[1].MFPValue[3], 100.0f);
  EXPECT_FLOAT_EQ(in.Zone[2].MFValue[1], 0.0f);
  for (int z = 3; z <= 7; ++z) {
    EXPECT_EQ(in.Zone[z].MFName, "Zone " + std::to_string(z));
    EXPECT_FLOAT_EQ(in.Zone[z].MFPValue[4], 0.0f);
  }
  for (int i = 2; i <= NumIn; ++i) EXPECT_FALSE(IsUsed(model().PVarIn[i]));
  EXPECT_FALSE(IsUsed(model().PVarOut[2]));
  EXPECT_EQ(model().PVarOut[1].PVarName, "VALVE");
  EXPECT_EQ(model().PVarOut[1].OutputType, "Incr");
  EXPECT_EQ(model().PVarOut[2].OutputType, "Incr");  // empty type defaults after reading
  EXPECT_EQ(model().Rules[1].Term[1], "LOW");
  EXPECT_EQ(model().Rules[1].Term[7], "OPEN");
  EXPECT_EQ(model().Rules[2].Term[7], "CLOSE");
  EXPECT_EQ(model().Rules[2].Term[8], "Not Used");
  for (int r = 3; r <= NumRules; ++r) {
    for (int j = 1; j <= NumTerms; ++j) EXPECT_EQ(model().Rules[r].Term[j], "Not Used");
    EXPECT_EQ(model().Rules[r].Operator, "MIN");
  }
  EXPECT_EQ(model().DeFuzz[1], "COG");
  EXPECT_EQ(model().ControlMode, "File");
  EXPECT_EQ(model().FLCBlock.Name1, "FLC1");
  EXPECT_EQ(model().FLCBlock.RunFrequency, 30);
  EXPECT_EQ(model().FLCBlock.LinkFrequency, 10);
  EXPECT_FALSE(model().FLCBlock.SlopeCorr);
  EXPECT_FALSE(model().RestartInterface);
  EXPECT_EQ(model().Program_Interface, "VELDTBRG");
  EXPECT_EQ(model().PVarIn[1].PlotHi, "AUTO");
}

TEST_F(ConfigReaderTest, MissingFileIsSilentAndKeepsStartValues) {
  EXPECT_TRUE(ReadConfig(world.controller));
  EXPECT_TRUE(world.op.messages.empty());
  EXPECT_EQ(model().FLCBlock.RunFrequency, 0);  // no corrections without a file
  EXPECT_EQ(model().FLCBlock.LinkFrequency, 0);
  EXPECT_EQ(model().ControlMode, "File");
  EXPECT_EQ(model().Rules[5].Term[8], "Not Used");
  EXPECT_EQ(model().PVarOut[2].PlotLo, "AUTO");
}

TEST_F(ConfigReaderTest, LabelValuesFollowTheFileConventions) {
  ASSERT_TRUE(Read(CrLfLines({"RESTART I/F: NOT YES", "Start_FLC_Block:", "Name1:ABC",
                              "SlopeCorr: true", "LinkTopicName:", "End_FLC_Block:",
                              "Start_PVarIn:", "Index: 2", "PVarName: FLOW", "MFName: ",
                              "MFName: MID", "MFName:", "MFPValue: ", "-1.5", "0", "1e1", " 20 ",
                              "MFValue: ", "-0.5", "0.25", "1.7", "1", "End_PVarIn:",
                              "Start_PVarOut:", "Index: 1", "ValueOut: 12.5", "End_PVarOut:",
                              "Start_ControlMode:", " DCS ", "End_ControlMode:"})));
  EXPECT_TRUE(model().RestartInterface);  // "YES" anywhere in the line
  EXPECT_EQ(model().FLCBlock.Name1, "BC");  // the value starts two characters after the colon
  EXPECT_FALSE(model().FLCBlock.SlopeCorr);  // only "True" exactly
  EXPECT_EQ(model().FLCBlock.LinkTopicName, "");
  const auto& zones = model().PVarIn[2].Zone;
  EXPECT_EQ(zones[1].MFName, "Zone 1");
  EXPECT_EQ(zones[2].MFName, "MID");
  EXPECT_EQ(zones[3].MFName, "Zone 3");
  EXPECT_FLOAT_EQ(zones[3].MFPValue[1], -1.5f);
  EXPECT_FLOAT_EQ(zones[3].MFPValue[3], 10.0f);
  EXPECT_FLOAT_EQ(zones[3].MFPValue[4], 20.0f);
  EXPECT_FLOAT_EQ(zones[3].MFValue[1], 0.0f);  // cut into 0..1
  EXPECT_FLOAT_EQ(zones[3].MFValue[2], 0.25f);
  EXPECT_FLOAT_EQ(zones[3].MFValue[3], 1.0f);
  EXPECT_EQ(model().PVarOut[1].ValueOut, "Not Used");  // a stored value is never resent
  EXPECT_EQ(model().ControlMode, "DCS");
  EXPECT_EQ(model().FLCBlock.RunFrequency, 10);  // raised to the minimum
  EXPECT_EQ(model().FLCBlock.LinkFrequency, 5);
}

TEST_F(ConfigReaderTest, ControlModeNeedsExactlyDcs) {
  ASSERT_TRUE(Read(CrLfLines({"Start_ControlMode:", "dcs", "To DCS", "End_ControlMode:"})));
  EXPECT_EQ(model().ControlMode, "File");
}

TEST_F(ConfigReaderTest, LabelsAreRecognisedByTheirKeyOnly) {
  // Realistic tags and names that contain other labels' texts.
  ASSERT_TRUE(Read(CrLfLines(
      {"Start_FLC_Block:", "Name1: RunFrequency", "DCSRunFreq: FLC.RunFrequency",
       "DCSWatchDog: WD.LinkFrequency", "RunFrequency: 20", "LinkFrequency: 8", "End_FLC_Block:",
       "Start_PVarIn:", "Index: 1", "PVarName: FlowIndex", "DCSTagPV: FIC101.PVIN",
       "DCSTagHigh: TI01.PVHigh", "DCSTagLow: TI01.PVLow", "PVIN: 4.5", "Units: MFName",
       "End_PVarIn:", "Start_ControlMode:", "File", "End_ControlMode:"})));
  EXPECT_TRUE(world.op.messages.empty());
  EXPECT_EQ(model().FLCBlock.Name1, "RunFrequency");
  EXPECT_EQ(model().FLCBlock.DCSRunFreq, "FLC.RunFrequency");
  EXPECT_EQ(model().FLCBlock.RunFrequency, 20);
  EXPECT_EQ(model().FLCBlock.LinkFrequency, 8);
  const auto& in = model().PVarIn[1];
  EXPECT_EQ(in.PVarName, "FlowIndex");
  EXPECT_EQ(in.DCSTagPV, "FIC101.PVIN");
  EXPECT_EQ(in.DCSTagHigh, "TI01.PVHigh");
  EXPECT_FLOAT_EQ(in.PVIN, 4.5f);
  EXPECT_EQ(in.Units, "MFName");
  EXPECT_EQ(in.Zone[1].MFName, "Zone 1");  // "Units: MFName" did not open a zone
}

TEST_F(ConfigReaderTest, UnknownTopLevelLinesAreSkipped) {
  // A note after the header and a file without its version line (its date line has colons).
  ASSERT_TRUE(Read(CrLfLines({"12/5/2026 6:00:00 PM", "Note: commissioned by shift B",
                              "Start_FLC_Block:", "Name1: KILN", "End_FLC_Block:",
                              "Start_Rule:", "Index: 3", "A", "B", "C", "D", "E", "F", "G", "H",
                              "MAX", "End_Rule:", "Start_ControlMode:", "DCS",
                              "End_ControlMode:"})));
  EXPECT_TRUE(world.op.messages.empty());
  EXPECT_EQ(model().FLCBlock.Name1, "KILN");
  EXPECT_EQ(model().Rules[3].Term[8], "H");
  EXPECT_EQ(model().Rules[3].Operator, "MAX");
  EXPECT_EQ(model().ControlMode, "DCS");
}

TEST_F(ConfigReaderTest, PositionalBlocksStartOverWhenTheEndMarkerIsMissing) {
  ASSERT_TRUE(Read(CrLfLines({"Start_Rule:", "Index: 4", "1", "2", "3", "4", "5", "6", "7", "8",
                              "MIN", "stray", "Index: 5", "a", "b", "c", "d", "e", "f", "g", "h",
                              " ", "End_Rule:", "Start_DeFuzz:", "Index: 1", "MOM",
                              "End_DeFuzz:", "Start_ControlMode:", "End_ControlMode:"})));
  EXPECT_EQ(model().Rules[4].Term[8], "8");
  EXPECT_EQ(model().Rules[5].Term[1], "a");
  EXPECT_EQ(model().Rules[5].Operator, "MIN");  // blank operator defaults
  EXPECT_EQ(model().DeFuzz[1], "MOM");
}

TEST_F(ConfigReaderTest, ReadingFailuresShowTheirMessageAndStillCorrect) {
  struct Case {
    std::vector<std::string> lines;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{"Start_FLC_Block:", "RunFrequency: 2", "LinkFrequency: fast", "End_FLC_Block:"},
       "Error in Read FLC.DAT File\r\nType mismatch\r\nText = Start_FLC_Block:; LinkFrequency: "
       "fast\r\nError No.: 13"},
      {{"Start_FLC_Block:", "RunFrequency: 40000"},
       "Error in Read FLC.DAT File\r\nOverflow\r\nText = Start_FLC_Block:; RunFrequency: "
       "40000\r\nError No.: 6"},
      {{"Start_PVarIn:", "Index: 7"},
       "Error in Read FLC.DAT File\r\nSubscript out of range\r\nText = Start_PVarIn:; Index: "
       "7\r\nError No.: 9"},
      {{"Start_PVarIn:", "Index: 4", "End_PVarIn:", "Start_PVarOut:", "PVarName: X"},
       "Error in Read FLC.DAT File\r\nSubscript out of range\r\nText = Start_PVarOut:; PVarName: "
       "X\r\nError No.: 9"},
      {{"Start_PVarIn:", "Index: 1", "MFName: 1", "MFName: 2", "MFName: 3", "MFName: 4",
        "MFName: 5", "MFName: 6", "MFName: 7", "MFName: 8"},
       "Error in Read FLC.DAT File\r\nSubscript out of range\r\nText = Start_PVarIn:; MFName: "
       "8\r\nError No.: 9"},
      {{"Start_FLC_Block:", "RunFrequency: 2", "End_FLC_Block:"},
       "Error in Read FLC.DAT File\r\nInput past end of file\r\nText = Start_FLC_Block:; "
       "End_FLC_Block:\r\nError No.: 62"},
  };
  for (const auto& c : cases) {
    FakeWorld fresh;
    ResetModel(fresh.controller.model, dir.Path());
    ApplyDefaults(fresh.controller.model);
    std::string text;
    for (const auto& line : c.lines) text += line + "\r\n";
    dir.Write("FLC.dat", text);
    EXPECT_FALSE(ReadConfig(fresh.controller));
    ASSERT_EQ(fresh.op.messages.size(), 1u) << c.expected;
    EXPECT_EQ(fresh.op.messages[0].text, c.expected);
    EXPECT_EQ(fresh.op.messages[0].title, "Kavro");
    EXPECT_EQ(fresh.op.messages[0].icon, MsgIcon::Exclamation);
    // The controller never runs on out-of-range values, failure or not.
    EXPECT_GE(fresh.controller.model.FLCBlock.RunFrequency, 10);
    EXPECT_GE(fresh.controller.model.FLCBlock.LinkFrequency, 5);
    EXPECT_EQ(fresh.controller.model.PVarOut[1].OutputType, "Incr");
  }
}

TEST_F(ConfigReaderTest, WhatWasReadBeforeAFailureStays) {
  EXPECT_FALSE(Read(CrLfLines({"Start_PVarIn:", "Index: 2", "PVarName: LEVEL", "MFName: LOW",
                               "MFValue: ", "2", "0.5", "x"})));
  EXPECT_EQ(model().PVarIn[2].PVarName, "LEVEL");
  EXPECT_EQ(model().PVarIn[2].Zone[1].MFName, "LOW");
  EXPECT_FLOAT_EQ(model().PVarIn[2].Zone[1].MFValue[1], 1.0f);  // corrected after the failure
  EXPECT_FLOAT_EQ(model().PVarIn[2].Zone[1].MFValue[2], 0.5f);
  EXPECT_NE(Message().find("Type mismatch"), std::string::npos);
}

TEST_F(ConfigReaderTest, LfOnlyFilesReadLikeCrLfFiles) {
  std::string text = WorkedExampleFile();
  std::string lf;
  for (char c : text) {
    if (c != '\r') lf += c;
  }
  ASSERT_TRUE(Read(lf));
  EXPECT_EQ(model().PVarIn[1].Zone[2].MFName, "HIGH");
  EXPECT_EQ(model().Rules[2].Term[7], "CLOSE");
}

}  // namespace
}  // namespace kavro::test
