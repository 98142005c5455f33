#include <gtest/gtest.h>

#include <vector>

#include "common/KavroError.h"
#include "model/ControllerModel.h"
#include "model/EventLog.h"
#include "model/LinkKind.h"
#include "model/MainGrid.h"

namespace kavro::test {
namespace {

TEST(ControllerModelTest, StartValuesAndDefaults) {
  ControllerModel model;
  model.HistCount = 50;
  model.PVarIn[3].PVarName = "LEFTOVER";
  ResetModel(model, "/plant");
  EXPECT_EQ(model.HistCount, 0);
  EXPECT_EQ(model.PVarIn[3].PVarName, "");
  EXPECT_TRUE(model.ToFileMode);
  EXPECT_EQ(model.WorkDir, "/plant");
  EXPECT_EQ(model.FLCVersion, "Kavro Version 1.0.0");
  EXPECT_EQ(model.OperatorNames[1], "MIN");
  EXPECT_EQ(model.OperatorNames[6], "BSUM");
  EXPECT_EQ(model.DeFuzz[1], "COG");
  EXPECT_EQ(model.SlopeWindow[3], 20);
  EXPECT_EQ(model.Link.LinkStatus, "OFF");

  ApplyDefaults(model);
  EXPECT_EQ(model.Rules[20].Strength, "Not Used");
  EXPECT_EQ(model.Rules[20].Operator, "MIN");
  EXPECT_EQ(model.PVarIn[6].Zone[7].MFName, "Zone 7");
  EXPECT_EQ(model.PVarOut[2].Zone[1].MFName, "Zone 1");
  EXPECT_FLOAT_EQ(model.PVarOut[2].History[200], -9999.99f);
  EXPECT_FLOAT_EQ(model.PVarIn[1].History[1], -9999.99f);
  EXPECT_EQ(model.PVarOut[1].ValueOut, "Not Used");
}

TEST(ControllerModelTest, SlotsAndUse) {
  EXPECT_TRUE(VariableOfTerm(6).isInput);
  EXPECT_EQ(VariableOfTerm(6).slot, 6);
  EXPECT_FALSE(VariableOfTerm(7).isInput);
  EXPECT_EQ(VariableOfTerm(7).slot, 1);
  EXPECT_EQ(VariableOfTerm(8).slot, 2);

  ControllerModel model;
  ResetModel(model, ".");
  model.PVarIn[2].PVarName = "   ";
  model.PVarIn[2].PVHigh = 5;  // other fields do not make a slot used
  EXPECT_FALSE(IsUsed(model.PVarIn[2]));
  model.PVarIn[2].PVarName = " X ";
  EXPECT_TRUE(IsUsed(model.PVarIn[2]));
  model.PVarOut[2].Zone[3].MFName = "OPEN";
  EXPECT_EQ(ZonesOfTerm(model, 8)[3].MFName, "OPEN");
}

TEST(MainGridTest, AddressingLinesUpTermsWithVariables) {
  EXPECT_EQ(grid::InputColumn(1), 2);
  EXPECT_EQ(grid::InputColumn(6), 7);
  EXPECT_EQ(grid::OutputColumn(1), 8);
  EXPECT_EQ(grid::OutputColumn(2), 9);
  EXPECT_EQ(grid::TermColumn(7), grid::OutputColumn(1));
  EXPECT_EQ(grid::RuleRow(1), 12);
  EXPECT_EQ(grid::RuleRow(20), 31);
  EXPECT_EQ(grid::ActiveZoneDegreeRow(3), 10);
  EXPECT_TRUE(grid::IsInputColumn(7));
  EXPECT_FALSE(grid::IsInputColumn(8));
  EXPECT_TRUE(grid::IsOutputColumn(9));

  MainGrid cells;
  EXPECT_EQ(cells.Rows(), 33);
  EXPECT_EQ(cells.Cols(), 10);
  cells.SetText(32, 9, "last");
  EXPECT_EQ(cells.Text(32, 9), "last");
  try {
    cells.SetText(33, 0, "x");
    FAIL() << "a row past the grid must fail";
  } catch (const KavroError& e) {
    EXPECT_EQ(e.Number(), 9);
  }
  EXPECT_THROW(cells.Text(0, 10), KavroError);
  OutputStrip strip;
  EXPECT_EQ(strip.Rows(), 1);
  EXPECT_EQ(strip.Cols(), 10);
}

TEST(EventLogTest, RepeatsAreCountedAndTheNoticeCanBeDismissed) {
  EventLog log;
  EXPECT_EQ(log.Notice(), nullptr);
  log.Add("t1", "KILN1", "Error Number = 13");
  log.Add("t2", "KILN1", "Error Number = 13");
  ASSERT_EQ(log.Entries().size(), 1u);
  EXPECT_EQ(log.Entries()[0].repeats, 2);
  EXPECT_EQ(log.Notice()->when, "t2");
  log.DismissNotice();
  EXPECT_EQ(log.Notice(), nullptr);
  log.Note("t3", "Link", "restarted");
  EXPECT_EQ(log.Notice(), nullptr);  // a note does not raise the notice
  log.Add("t4", "KILN1", "Override");
  EXPECT_EQ(log.Notice()->text, "Override");
  for (int i = 0; i < 600; ++i) log.Add("t", "x", std::to_string(i));
  EXPECT_EQ(log.Entries().size(), EventLog::kCapacity);
  EXPECT_EQ(log.Entries().back().text, "599");
}

TEST(EventLogTest, ALaterNoteLeavesTheRaisedNoticeAndEveryChangeIsSeen) {
  EventLog log;
  log.Add("t1", "KILN1", "Error Number = 11");
  log.Note("t2", "Link Client Restarted", "restarted kavro-plantsim");
  ASSERT_NE(log.Notice(), nullptr);
  EXPECT_EQ(log.Notice()->text, "Error Number = 11");
  EXPECT_EQ(log.Notice()->when, "t1");
  log.Add("t3", "KILN1", "Error Number = 11");  // not a repeat of the newest entry: a new one
  EXPECT_EQ(log.Notice()->when, "t3");

  // A full log whose newest entries arrive within one second still changes its revision.
  for (int i = 0; i < 600; ++i) log.Note("t", "x", std::to_string(i));
  const auto before = log.Revision();
  log.Note("t", "y", "first of two in one second");
  const auto middle = log.Revision();
  log.Note("t", "z", "second of two in one second");
  EXPECT_LT(before, middle);
  EXPECT_LT(middle, log.Revision());
  EXPECT_EQ(log.Entries().size(), EventLog::kCapacity);
}

TEST(EventLogTest, EveryOccurrenceReachesTheSinkAsOneLine) {
  EventLog log;
  std::vector<std::string> lines;
  log.SetSink([&](const EventEntry& e) { lines.push_back(EventLineText(e)); });
  log.Add("Dec-07-2026 03:00:00", "KILN1",
          "Error Number = 11\r\nError Description = Division by zero\r\nAt\terror");
  log.Add("Dec-07-2026 03:00:10", "KILN1",
          "Error Number = 11\r\nError Description = Division by zero\r\nAt\terror");
  log.Note("Dec-07-2026 03:00:20", "KILN1", "Link switched ON by the operator", EventKind::Link);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "Dec-07-2026 03:00:00\tCycle error\tKILN1\tError Number = 11 / Error Description = "
            "Division by zero / At error");
  EXPECT_EQ(lines[1].substr(0, 20), "Dec-07-2026 03:00:10");
  EXPECT_EQ(lines[2], "Dec-07-2026 03:00:20\tLink\tKILN1\tLink switched ON by the operator");
  EXPECT_EQ(log.Entries().size(), 2u);
  EXPECT_EQ(log.Entries()[0].repeats, 2);
}

}  // namespace
}  // namespace kavro::test

namespace kavro::test {
namespace {

TEST(LinkKindTest, OnlyTheTwoOpcKindsSelectTheOpcLink) {
  EXPECT_TRUE(SelectsOpcLink("VELDTBRG"));
  EXPECT_TRUE(SelectsOpcLink("veldtsrv  "));  // any case, trailing blanks ignored
  EXPECT_FALSE(SelectsOpcLink(" VELDTBRG"));  // leading blanks are part of the name
  EXPECT_FALSE(SelectsOpcLink("VELDTBRG.exe"));
  EXPECT_FALSE(SelectsOpcLink("kavro-plantsim"));
  EXPECT_FALSE(SelectsOpcLink(""));
}

}  // namespace
}  // namespace kavro::test
