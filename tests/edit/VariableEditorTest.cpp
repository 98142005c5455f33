#include <gtest/gtest.h>

#include <functional>

#include "display/VariableEditorView.h"
#include "edit/EditWorld.h"
#include "edit/VariableEditor.h"
#include "session/SettingsCommands.h"

namespace kavro::test {
namespace {

constexpr int kTempColumn = 2;   // input 1
constexpr int kValveColumn = 8;  // output 1

class VariableEditorTest : public ::testing::Test, public EditWorld {
 protected:
  VariableEditor& editor() { return edits.variable; }
  CellTable& itemGrid() { return editor().MSHFlexGrid2; }
  CellTable& zoneGrid() { return editor().MSHFlexGrid3; }
  bool Apply() { return AcceptVariableEdit(controller(), editor(), audit); }
  void SetPoints(int zone, const std::vector<std::string>& points) {
    for (int p = 1; p <= 4; ++p)
      zoneGrid().SetText(zones::ValueRow(zone), zones::PointCol(p), points[p - 1]);
  }
};

TEST_F(VariableEditorTest, LoadOfAnOutputFillsItemsOptionsAndZones) {
  model().PVarOut[1].Max_Change = 1.5f;
  model().PVarOut[1].DCSTagOut = "FV.OUT";
  ShowVariableEditor(controller(), editor(), kValveColumn);
  EXPECT_TRUE(editor().visible);
  EXPECT_TRUE(editor().isOutput);
  EXPECT_EQ(editor().slot, 1);
  EXPECT_EQ(itemGrid().Text(1, 0), "Var Name");
  EXPECT_EQ(itemGrid().Text(12, 0), "Wait Change");
  EXPECT_EQ(itemGrid().Text(1, 1), "VALVE");
  EXPECT_EQ(itemGrid().Text(6, 1), "FV.OUT");
  EXPECT_EQ(itemGrid().Text(10, 1), "1.5");  // plain number text
  EXPECT_EQ(itemGrid().Text(11, 1), "0");
  EXPECT_EQ(itemGrid().At(12, 1).backColour, kWhite);
  EXPECT_TRUE(editor().frame3Visible);
  EXPECT_EQ(editor().optOutputType, 0);
  EXPECT_EQ(zoneGrid().Text(0, 2), "Point 1");
  EXPECT_EQ(zoneGrid().Text(1, 0), "CLOSE");
  EXPECT_EQ(zoneGrid().Text(1, 1), "Process Value");
  EXPECT_EQ(zoneGrid().Text(2, 1), "MF Value");
  EXPECT_EQ(zoneGrid().Text(1, 2), "-2.000");
  EXPECT_EQ(zoneGrid().Text(2, 5), "1.000");
  EXPECT_EQ(zoneGrid().Text(13, 0), "Zone 7");
}

TEST_F(VariableEditorTest, LoadOfAnInputLeavesOutputRowsEmptyAndGreyed) {
  ShowVariableEditor(controller(), editor(), kValveColumn);  // a previous output leaves nothing
  ShowVariableEditor(controller(), editor(), kTempColumn);
  EXPECT_FALSE(editor().isOutput);
  EXPECT_EQ(itemGrid().Text(1, 1), "TEMP");
  for (int row = 6; row <= 12; ++row) {
    EXPECT_EQ(itemGrid().Text(row, 1), "");
    EXPECT_NE(itemGrid().At(row, 1).backColour, kWhite);
  }
  EXPECT_FALSE(editor().frame3Visible);
  EXPECT_EQ(zoneGrid().Text(1, 4), "100.000");
}

TEST_F(VariableEditorTest, ApplyStoresItemsTypeAndZonesAndRecordsEachChange) {
  ShowVariableEditor(controller(), editor(), kValveColumn);
  itemGrid().SetText(6, 1, "FV.OUT");
  itemGrid().SetText(10, 1, "2.500");
  editor().optOutputType = 1;
  SetPoints(2, {"2.500", "2.500", "2.500", "2.500"});
  ASSERT_TRUE(Apply());
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(editor().visible);
  const PVarOutRecord& out = model().PVarOut[1];
  EXPECT_EQ(out.DCSTagOut, "FV.OUT");
  EXPECT_FLOAT_EQ(out.Max_Change, 2.5f);
  EXPECT_EQ(out.OutputType, "Abs");
  EXPECT_FLOAT_EQ(out.Zone[2].MFPValue[4], 2.5f);
  EXPECT_TRUE(model().ChangesPending);
  EXPECT_EQ(AuditChanges(sink),
            (std::vector<std::string>{
                "VALVE DCSTagOut:  -> FV.OUT", "VALVE Max_Change: 0 -> 2.5",
                "VALVE OutputType: Incr -> Abs", "VALVE zone 2 (OPEN) point 1: 2 -> 2.5",
                "VALVE zone 2 (OPEN) point 2: 2 -> 2.5", "VALVE zone 2 (OPEN) point 3: 2 -> 2.5",
                "VALVE zone 2 (OPEN) point 4: 2 -> 2.5"}));
  EXPECT_TRUE(editor().warnings.empty());
}

TEST_F(VariableEditorTest, PointsOutOfOrderAreRefusedBeforeAnythingIsStored) {
  model().PVarIn[1].Zone[3].MFName = "MED";
  ShowVariableEditor(controller(), editor(), kTempColumn);
  itemGrid().SetText(1, 1, "KILNTEMP");
  SetPoints(1, {"10.000", "10.000", "20.000", "30.000"});  // equal points pass
  SetPoints(3, {"10.000", "20.000", "15.000", "30.000"});
  const std::string before = Saved();
  EXPECT_FALSE(Apply());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text,
            "Zone 3 (MED) Process Values Are Not In Ascending Order - Please Correct");
  EXPECT_EQ(Messages()[0].icon, MsgIcon::Critical);
  EXPECT_EQ(Messages()[0].title, "Kavro");
  EXPECT_EQ(Saved(), before);
  EXPECT_TRUE(editor().visible);
  EXPECT_EQ(itemGrid().Text(1, 1), "KILNTEMP");
  EXPECT_TRUE(sink.lines.empty());
}

// An entry that does not read as a number stops the apply with nothing stored, wherever it is:
// in the last item row, in the last membership cell, or in a point the order check reads.
TEST_F(VariableEditorTest, ANumberThatDoesNotReadStoresNothingAtAll) {
  const std::string numberMessage =
      "Please Recheck All Numeric Data For Errors\r\nError No. 13\r\nError - Type mismatch";
  const std::string before = Saved();
  struct Case {
    const char* what;
    std::function<void(EditWorld&)> spoil;
  };
  auto itemCell = [](int row, const char* text) {
    return [=](EditWorld& w) { w.edits.variable.MSHFlexGrid2.SetText(row, 1, text); };
  };
  auto zoneCell = [](int row, int col, const char* text) {
    return [=](EditWorld& w) { w.edits.variable.MSHFlexGrid3.SetText(row, col, text); };
  };
  const std::vector<Case> cases = {{"empty Wait Change", itemCell(12, "")},
                                   {"empty Max Change", itemCell(10, "")},
                                   {"last membership value", zoneCell(14, 5, "x")},
                                   {"a point", zoneCell(5, 3, "abc")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    world.op.messages.clear();
    ShowVariableEditor(controller(), editor(), kValveColumn);
    itemGrid().SetText(1, 1, "FUEL");  // good new values before the bad one
    itemGrid().SetText(9, 1, "FV.WAIT");
    zoneGrid().SetText(1, 0, "SHUT");
    c.spoil(*this);
    EXPECT_FALSE(Apply());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, numberMessage);
    EXPECT_EQ(Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(Messages()[0].title, "FLC1");
    EXPECT_EQ(Saved(), before);
    EXPECT_FALSE(model().ChangesPending);
    EXPECT_TRUE(editor().visible);
    EXPECT_TRUE(sink.lines.empty());
  }
}

// An output number whose DCS tag is set comes from the DCS while the link is on: typing over it
// is refused with nothing stored, and left untouched it keeps what the DCS sent meanwhile.
TEST_F(VariableEditorTest, ANumberTheDcsSuppliesIsRefusedNotAudited) {
  PVarOutRecord& out = model().PVarOut[1];
  out.DCSMaxChange = "FV.MAXCHG";
  out.DCSWaitChange = "FV.WAIT";
  model().Link.LinkStatus = kOn;
  const std::string before = Saved();
  for (int row : {10, 12}) {
    SCOPED_TRACE(row);
    world.op.messages.clear();
    ShowVariableEditor(controller(), editor(), kValveColumn);
    itemGrid().SetText(1, 1, "FUEL");
    itemGrid().SetText(row, 1, "2.500");
    EXPECT_FALSE(Apply());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text,
              row == 10 ? "The DCS supplies VALVE Max Change while the link is on (tag "
                          "FV.MAXCHG): switch the link off to change it here"
                        : "The DCS supplies VALVE Wait Change while the link is on (tag "
                          "FV.WAIT): switch the link off to change it here");
    EXPECT_EQ(Saved(), before);
    EXPECT_TRUE(editor().visible);
    EXPECT_TRUE(sink.lines.empty());
  }

  ShowVariableEditor(controller(), editor(), kValveColumn);
  out.Max_Change = 3.25f;              // the DCS's next read, the editor still open
  itemGrid().SetText(11, 1, "4.000");  // Change Time has no DCS tag: the operator's
  ASSERT_TRUE(Apply());
  EXPECT_FLOAT_EQ(out.Max_Change, 3.25f);
  EXPECT_FLOAT_EQ(out.Change_Time, 4.0f);
  EXPECT_EQ(AuditChanges(sink), (std::vector<std::string>{"VALVE Change_Time: 0 -> 4"}));

  model().Link.LinkStatus = kOff;  // link off: every number is the operator's
  ShowVariableEditor(controller(), editor(), kValveColumn);
  itemGrid().SetText(10, 1, "2.500");
  ASSERT_TRUE(Apply());
  EXPECT_FLOAT_EQ(out.Max_Change, 2.5f);
}

TEST_F(VariableEditorTest, EditingAnInputIgnoresTheOutputRowsAndOptions) {
  ShowVariableEditor(controller(), editor(), kTempColumn);
  itemGrid().SetText(2, 1, "degC");
  itemGrid().SetText(10, 1, "not a number, but not an input row either");
  editor().optOutputType = 1;
  ASSERT_TRUE(Apply());
  EXPECT_EQ(model().PVarIn[1].Units, "degC");
  EXPECT_EQ(model().PVarOut[1].OutputType, "Incr");
  EXPECT_EQ(AuditChanges(sink), (std::vector<std::string>{"TEMP Units:  -> degC"}));
}

TEST_F(VariableEditorTest, ApplyWarnsOfItsVariablesReadinessProblemsOnly) {
  model().Rules[2].Operator = "FOO";  // a rule problem, not about TEMP
  ShowVariableEditor(controller(), editor(), kTempColumn);
  zoneGrid().SetText(1, 0, "LO");  // rule 1 still names LOW
  ASSERT_TRUE(Apply());
  EXPECT_EQ(model().PVarIn[1].Zone[1].MFName, "LO");
  EXPECT_EQ(editor().warnings,
            (std::vector<std::string>{"R1: term \"LOW\" names no zone of TEMP"}));
}

TEST_F(VariableEditorTest, CancelAsksOnlyWithChangesPendingAndNeverTouchesTheModel) {
  ShowVariableEditor(controller(), editor(), kValveColumn);
  itemGrid().SetText(1, 1, "FUEL");
  LeaveVariableEdit(controller(), editor());
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(editor().visible);

  ShowVariableEditor(controller(), editor(), kValveColumn);
  model().ChangesPending = true;
  world.op.answers = {MsgAnswer::No};
  LeaveVariableEdit(controller(), editor());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Any Changes Made Will Not Be Saved - Continue?");
  EXPECT_EQ(Messages()[0].title, "FLC1");
  EXPECT_EQ(Messages()[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(Messages()[0].icon, MsgIcon::Question);
  EXPECT_TRUE(editor().visible);

  world.op.answers = {MsgAnswer::Yes};
  LeaveVariableEdit(controller(), editor());
  EXPECT_FALSE(editor().visible);
  EXPECT_EQ(model().PVarOut[1].PVarName, "VALVE");
}

}  // namespace
}  // namespace kavro::test
