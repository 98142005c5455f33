#include <gtest/gtest.h>

#include "display/VariableEditorView.h"
#include "edit/CellEdit.h"
#include "edit/EditWorld.h"
#include "edit/VariableEditor.h"

namespace kavro::test {
namespace {

class CellEditTest : public ::testing::Test, public EditWorld {
 protected:
  // Types text into a cell: a click on it, the first character's key press, the rest typed
  // into the box, then the key that ends the edit.
  void Type(EditGrid which, int row, int col, const std::string& text, int endKey = kKeyEnter) {
    GridOf(controller(), edits, which).SetCurrent(row, col);
    KeyPressOnGrid(controller(), edits, which, static_cast<unsigned char>(text[0]));
    EditBox& box = EditBoxOf(edits, which);
    box.text += text.substr(1);
    EditBoxKeyDown(controller(), edits, audit, which, endKey);
  }
  std::string Cell(EditGrid which, int row, int col) {
    return GridOf(controller(), edits, which).Text(row, col);
  }
};

TEST_F(CellEditTest, WhichCellsCanBeTypedInto) {
  struct Case {
    EditGrid grid;
    bool output;
    int row, col;
    bool allowed;
  };
  const std::vector<Case> cases = {
      {EditGrid::Main, false, 0, 0, true},   {EditGrid::Main, false, 4, 9, true},
      {EditGrid::Main, false, 5, 2, false},  {EditGrid::Main, false, 10, 1, false},
      {EditGrid::Main, false, 11, 0, true},  {EditGrid::Main, false, 11, 2, false},
      {EditGrid::Main, false, 31, 1, true},  {EditGrid::Main, false, 31, 9, false},
      {EditGrid::Main, false, 32, 0, false}, {EditGrid::Item, false, 5, 1, true},
      {EditGrid::Item, false, 6, 1, false},  {EditGrid::Item, false, 1, 0, false},
      {EditGrid::Item, false, 0, 1, false},  {EditGrid::Item, true, 12, 1, true},
      {EditGrid::Zone, false, 1, 0, true},   {EditGrid::Zone, false, 2, 0, false},
      {EditGrid::Zone, false, 1, 1, false},  {EditGrid::Zone, false, 14, 5, true},
      {EditGrid::Zone, false, 0, 2, false},  {EditGrid::Zone, true, 13, 0, true},
      {EditGrid::Zone, true, 1, 2, true},    {EditGrid::Zone, true, 2, 2, true},
      {EditGrid::Zone, true, 1, 3, false},   {EditGrid::Zone, true, 2, 5, false},
  };
  for (const Case& c : cases) {
    edits.variable.isOutput = c.output;
    EXPECT_EQ(CanTypeInCell(edits, c.grid, c.row, c.col), c.allowed)
        << "grid " << static_cast<int>(c.grid) << (c.output ? " output" : " input") << " cell ("
        << c.row << ", " << c.col << ")";
  }
}

TEST_F(CellEditTest, AKeyPressOpensTheBoxWithThatCharacterOrTheCellsText) {
  controller().grid.SetCurrent(3, 2);
  KeyPressOnGrid(controller(), edits, EditGrid::Main, '7');
  EXPECT_TRUE(edits.txtEdit1.visible);
  EXPECT_EQ(edits.txtEdit1.text, "7");
  EXPECT_EQ(edits.txtEdit1.caret, 1);
  EXPECT_TRUE(model().ChangesPending);

  EditBoxKeyDown(controller(), edits, audit, EditGrid::Main, kKeyEscape);
  KeyPressOnGrid(controller(), edits, EditGrid::Main, 32);  // a blank is not typed in
  EXPECT_EQ(edits.txtEdit1.text, "150.000");
  EXPECT_EQ(edits.txtEdit1.caret, 7);
  EXPECT_EQ(edits.txtEdit1.row, 3);
  EXPECT_EQ(edits.txtEdit1.col, 2);

  EditBoxKeyDown(controller(), edits, audit, EditGrid::Main, kKeyEscape);
  model().ChangesPending = false;
  controller().grid.SetCurrent(6, 2);  // an active-zone cell is display only
  KeyPressOnGrid(controller(), edits, EditGrid::Main, '7');
  EXPECT_FALSE(edits.txtEdit1.visible);
  EXPECT_FALSE(model().ChangesPending);
}

TEST_F(CellEditTest, TheScreenLockRefusesTypingIntoTheMainGridOnly) {
  controller().model.ScreenLocked = true;
  controller().grid.SetCurrent(3, 2);
  KeyPressOnGrid(controller(), edits, EditGrid::Main, '7');
  EXPECT_FALSE(edits.txtEdit1.visible);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Screen is Locked, Use Menu Screen Lock To UnLock");
  EXPECT_EQ(Messages()[0].icon, MsgIcon::Information);
  EXPECT_EQ(Messages()[0].title, "Kavro");
  EXPECT_FALSE(model().CycleHold);

  ShowVariableEditor(controller(), edits.variable, 2);  // opened before the lock came on
  edits.variable.MSHFlexGrid2.SetCurrent(2, 1);
  KeyPressOnGrid(controller(), edits, EditGrid::Item, 'd');
  EXPECT_TRUE(edits.txtEdit2.visible);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(CellEditTest, NumbersAreCheckedAndFormattedWhereTheCellHoldsANumber) {
  Type(EditGrid::Main, 3, 2, "abc");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Please Entry a Number");
  EXPECT_EQ(Messages()[0].buttons, MsgButtons::OKCancel);
  EXPECT_EQ(Messages()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(Cell(EditGrid::Main, 3, 2), "150.000");
  EXPECT_FALSE(edits.txtEdit1.visible);

  Type(EditGrid::Main, 3, 2, "1e39");  // beyond a single: the cycle could not read it
  EXPECT_EQ(Cell(EditGrid::Main, 3, 2), "150.000");
  EXPECT_EQ(Messages().size(), 2u);
  Type(EditGrid::Main, 3, 2, "12.3456");
  EXPECT_EQ(Cell(EditGrid::Main, 3, 2), "12.346");
  Type(EditGrid::Main, 0, 2, "KILN");  // names are texts, taken as typed
  EXPECT_EQ(Cell(EditGrid::Main, 0, 2), "KILN");
  EXPECT_EQ(Messages().size(), 2u);

  ShowVariableEditor(controller(), edits.variable, 8);
  Type(EditGrid::Zone, 2, 2, "1.5");  // a membership value
  EXPECT_EQ(Cell(EditGrid::Zone, 2, 2), "1.000");
  Type(EditGrid::Zone, 4, 2, "-0.5");
  EXPECT_EQ(Cell(EditGrid::Zone, 4, 2), "0.000");
  Type(EditGrid::Item, 10, 1, "-3");  // Max Change
  EXPECT_EQ(Cell(EditGrid::Item, 10, 1), "0.000");
  Type(EditGrid::Item, 2, 1, "-3");  // Units: a text
  EXPECT_EQ(Cell(EditGrid::Item, 2, 1), "-3");
  Type(EditGrid::Zone, 3, 2, "40");  // an output zone's point 1 sets all four
  for (int col = 2; col <= 5; ++col) EXPECT_EQ(Cell(EditGrid::Zone, 3, col), "40.000");
  EXPECT_EQ(Messages().size(), 2u);

  ShowVariableEditor(controller(), edits.variable, 2);
  Type(EditGrid::Zone, 3, 2, "40");  // an input's points are each its own
  EXPECT_EQ(Cell(EditGrid::Zone, 3, 2), "40.000");
  EXPECT_EQ(Cell(EditGrid::Zone, 3, 3), "150.000");
}

TEST_F(CellEditTest, TypedLimitsValuesAndOperatorsOfTheMainGridAreAudited) {
  Type(EditGrid::Main, 2, 2, "200");
  Type(EditGrid::Main, 3, 2, "abc");  // refused: the cell keeps its value, no change
  Type(EditGrid::Main, 3, 2, "12.3456");
  Type(EditGrid::Main, 4, 8, "1");
  Type(EditGrid::Main, 12, 1, "MAX");
  Type(EditGrid::Main, 12, 0, "R 1");  // a label: not a change of the controller
  EXPECT_EQ(
      AuditChanges(sink),
      (std::vector<std::string>{"TEMP High Target:  -> 200.000", "TEMP PValue: 150.000 -> 12.346",
                                "VALVE Low Target:  -> 1.000", "R1 operator: MIN -> MAX"}));
  EXPECT_EQ(model().Rules[1].Operator, "MIN");  // the grid only, until File > Save
}

// With the link on the cycle shows the model's limits and values in the grid: a value read from
// the DCS is refused untouched and unaudited, any other is kept in the model so it lasts.
TEST_F(CellEditTest, WithTheLinkOnALimitTheDcsSuppliesIsRefusedAndAnyOtherLasts) {
  model().PVarIn[1].DCSTagHigh = "TI.HI";
  model().PVarIn[1].PVHigh = 180.0f;
  controller().grid.SetText(2, 2, "180.000");
  model().Link.LinkStatus = kOn;
  Type(EditGrid::Main, 2, 2, "200");
  EXPECT_EQ(LastMessage(),
            "The DCS supplies TEMP High Target while the link is on (tag TI.HI): switch the link "
            "off to change it here");
  EXPECT_EQ(Cell(EditGrid::Main, 2, 2), "180.000");
  EXPECT_FLOAT_EQ(model().PVarIn[1].PVHigh, 180.0f);
  EXPECT_FALSE(edits.txtEdit1.visible);

  Type(EditGrid::Main, 4, 2, "20");  // no low tag: the operator's value, in the model too
  EXPECT_FLOAT_EQ(model().PVarIn[1].PVLow, 20.0f);
  EXPECT_EQ(AuditChanges(sink), (std::vector<std::string>{"TEMP Low Target:  -> 20.000"}));

  model().Link.LinkStatus = kOff;  // link off: the grid alone, the cycle reads it back
  Type(EditGrid::Main, 2, 2, "210");
  EXPECT_EQ(Cell(EditGrid::Main, 2, 2), "210.000");
  EXPECT_FLOAT_EQ(model().PVarIn[1].PVHigh, 180.0f);
}

TEST_F(CellEditTest, EscapeLeavesTheCellAndUpDownTakeTheBoxAndMove) {
  Type(EditGrid::Main, 3, 2, "99", kKeyEscape);
  EXPECT_EQ(Cell(EditGrid::Main, 3, 2), "150.000");
  EXPECT_FALSE(edits.txtEdit1.visible);
  EXPECT_TRUE(sink.lines.empty());

  Type(EditGrid::Main, 3, 2, "99", kKeyDown);
  EXPECT_EQ(Cell(EditGrid::Main, 3, 2), "99.000");
  EXPECT_EQ(controller().grid.CurrentRow(), 4);
  EXPECT_EQ(world.events.processEventsCalls, 1);
  Type(EditGrid::Main, 4, 2, "1", kKeyUp);
  EXPECT_EQ(Cell(EditGrid::Main, 4, 2), "1.000");
  EXPECT_EQ(controller().grid.CurrentRow(), 3);

  Type(EditGrid::Main, 1, 2, "x", kKeyUp);  // no move into the heading row
  EXPECT_EQ(controller().grid.CurrentRow(), 1);
  ShowVariableEditor(controller(), edits.variable, 8);
  Type(EditGrid::Item, 12, 1, "5", kKeyDown);  // nor past the last row
  EXPECT_EQ(edits.variable.MSHFlexGrid2.CurrentRow(), 12);
  EXPECT_EQ(Cell(EditGrid::Item, 12, 1), "5.000");

  Type(EditGrid::Item, 2, 1, "t", 65);  // other keys leave the box open
  EXPECT_TRUE(edits.txtEdit2.visible);
}

TEST_F(CellEditTest, ClicksAndDoubleClicksOnTheGrids) {
  DoubleClickGrid(controller(), edits, audit, EditGrid::Main, 3, 2);
  EXPECT_FALSE(edits.txtEdit1.visible);
  EXPECT_EQ(model().SelRow, 3);
  EXPECT_EQ(model().SelCol, 2);
  EXPECT_FALSE(model().ChangesPending);

  ShowVariableEditor(controller(), edits.variable, 2);
  DoubleClickGrid(controller(), edits, audit, EditGrid::Zone, 1, 0);
  EXPECT_TRUE(edits.txtEdit3.visible);
  EXPECT_EQ(edits.txtEdit3.text, "LOW");
  edits.txtEdit3.text = "COLD";
  ClickEditorGrid(controller(), edits, audit, EditGrid::Zone, 3, 0);  // takes the open box
  EXPECT_EQ(Cell(EditGrid::Zone, 1, 0), "COLD");
  EXPECT_FALSE(edits.txtEdit3.visible);
  EXPECT_EQ(edits.variable.MSHFlexGrid3.CurrentRow(), 3);
  DoubleClickGrid(controller(), edits, audit, EditGrid::Zone, 1, 1);  // a row label
  EXPECT_FALSE(edits.txtEdit3.visible);
}

}  // namespace
}  // namespace kavro::test
