#include <gtest/gtest.h>

#include "edit/EditWorld.h"
#include "session/SettingsCommands.h"

namespace kavro::test {
namespace {

class MainGridClickTest : public ::testing::Test, public EditWorld {
 protected:
  void Click(int row, int col) { ClickMainGridAndOpen(controller(), edits, audit, row, col); }
  std::string Cell(int row, int col) { return controller().grid.Text(row, col); }
};

TEST_F(MainGridClickTest, OperatorCellsStepThroughTheOperatorNames) {
  const int row = grid::RuleRow(1);
  const std::vector<std::string> cycle = {"MAX", "PROD", "BDIF", "ASUM", "BSUM", "MIN"};
  for (const std::string& next : cycle) {
    Click(row, 1);
    EXPECT_EQ(Cell(row, 1), next);
    EXPECT_EQ(model().Rules[1].Operator, next);
  }
  controller().grid.SetText(row, 1, "XYZ");
  Click(row, 1);
  EXPECT_EQ(Cell(row, 1), "MIN");
  Click(grid::RuleRow(20), 1);  // rule 20's operator steps too
  EXPECT_EQ(model().Rules[20].Operator, "MAX");
  EXPECT_TRUE(model().ChangesPending);
  ASSERT_EQ(sink.lines.size(), 8u);
  EXPECT_EQ(AuditChange(sink.lines[0]), "R1 operator: MIN -> MAX");
  EXPECT_EQ(AuditChange(sink.lines[6]), "R1 operator: XYZ -> MIN");
  EXPECT_EQ(AuditChange(sink.lines[7]), "R20 operator: MIN -> MAX");
}

// Every rule row, rule 20's included, steps its term cells through the column variable's zones.
TEST_F(MainGridClickTest, TermCellsStepThroughTheZoneNamesOnEveryRuleRow) {
  model().PVarIn[1].Zone[2].MFName = "MED";
  model().PVarIn[1].Zone[3].MFName = "HIGH";
  const std::vector<std::string> cycle = {"LOW",    "MED",    "HIGH",   "Zone 4",
                                          "Zone 5", "Zone 6", "Zone 7", "Not Used"};
  for (int rule : {3, 20}) {
    SCOPED_TRACE(rule);
    const int row = grid::RuleRow(rule);
    for (const std::string& next : cycle) {
      Click(row, grid::TermColumn(1));
      EXPECT_EQ(Cell(row, grid::TermColumn(1)), next);
      EXPECT_EQ(model().Rules[rule].Term[1], next);
    }
  }
  controller().grid.SetText(grid::RuleRow(1), grid::TermColumn(7), "LOWW");
  Click(grid::RuleRow(1), grid::TermColumn(7));  // output 1 lives in column 8
  EXPECT_EQ(model().Rules[1].Term[7], "CLOSE");
  EXPECT_EQ(AuditChange(sink.lines.front()), "R3 term 1 (TEMP): Not Used -> LOW");
  EXPECT_EQ(AuditChange(sink.lines.back()), "R1 term 7 (VALVE): LOWW -> CLOSE");
}

TEST_F(MainGridClickTest, RowOneOpensThePanelsAndDisplayRowsDoNothing) {
  Click(1, 1);
  EXPECT_TRUE(edits.settings.visible);
  EXPECT_EQ(edits.settings.Text1[9], "FLC1");
  Click(1, 8);
  EXPECT_TRUE(edits.variable.visible);
  EXPECT_TRUE(edits.variable.isOutput);
  EXPECT_EQ(edits.variable.MSHFlexGrid2.Text(1, 1), "VALVE");

  const std::string before = Saved();
  for (int row : {5, 8, 11, 32}) Click(row, 1);
  EXPECT_EQ(Saved(), before);
  EXPECT_EQ(model().SelRow, 32);
  EXPECT_EQ(model().SelCol, 1);
  EXPECT_TRUE(sink.lines.empty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MainGridClickTest, WhileLockedAClickOnlyShowsTheLockMessage) {
  controller().model.ScreenLocked = true;
  Click(grid::RuleRow(1), 1);
  Click(1, 1);
  EXPECT_EQ(Cell(grid::RuleRow(1), 1), "MIN");
  EXPECT_FALSE(edits.settings.visible);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[1].text, "Screen is Locked, Use Menu Screen Lock To UnLock");
  EXPECT_FALSE(model().CycleHold);
  EXPECT_EQ(model().SelRow, 1);  // the cell is recorded all the same

  // A variable's name only hides or shows its pen: never refused.
  Click(grid::kRowName, grid::InputColumn(1));
  EXPECT_EQ(Messages().size(), 2u);
}

}  // namespace
}  // namespace kavro::test
