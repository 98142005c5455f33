// What the compiled rule base relies on to know it is current: every change of a rule-base text
// moves their revision, and a grid row's stamp moves with every change of its texts right of
// the label column, never to a stamp it or another table had before.
#include <gtest/gtest.h>

#include <utility>

#include "common/KavroError.h"
#include "model/ControllerModel.h"
#include "model/MainGrid.h"

namespace kavro::test {
namespace {

TEST(TextStamps, EveryWayOfChangingARuleBaseTextMovesTheRevision) {
  RuleBaseText text = "LOW";
  RuleBaseText other = "HIGH";
  const auto moves = [](auto&& change) {
    const uint64_t before = RuleBaseTextRevision();
    change();
    return RuleBaseTextRevision() != before;
  };
  EXPECT_TRUE(moves([&] { text = "MID"; }));
  EXPECT_TRUE(moves([&] { text = std::string("MID2"); }));
  EXPECT_TRUE(moves([&] { text = other; }));
  EXPECT_TRUE(moves([&] { text = std::move(other); }));
  EXPECT_TRUE(moves([&] { ControllerModel copy; }));
  EXPECT_FALSE(moves([&] { return text == "HIGH" && "x" + text == "xHIGH"; }));
  EXPECT_EQ(text, "HIGH");
  EXPECT_EQ(text + "!", "HIGH!");
}

TEST(TextStamps, ARowStampMovesWithItsTextsOnlyAndIsNeverGivenTwice) {
  MainGrid grid;
  const int row = grid::RuleRow(1);
  const CellsStamp start = grid.StampOfRowBody(row);
  grid.SetText(row, 3, "");  // the text it had: nothing changed
  grid.SetForeColour(row, 3, kWhite);
  grid.SetText(row, grid::kColLabel, "R 1: 0.5000");  // the label shows the strength
  grid.SetText(row + 1, 3, "LOW");
  EXPECT_EQ(grid.StampOfRowBody(row), start);

  grid.SetText(row, 3, "LOW");
  const CellsStamp typed = grid.StampOfRowBody(row);
  EXPECT_NE(typed, start);
  grid.At(row, 4).text = "HIGH";  // whatever is done with a cell taken to change
  EXPECT_NE(grid.StampOfRowBody(row), typed);

  // A copy holds the same texts under its own stamps: the two cannot be mistaken for each
  // other once they change apart.
  MainGrid copy = grid;
  EXPECT_NE(copy.StampOfRowBody(row), grid.StampOfRowBody(row));
  copy.SetText(row, 3, "X");
  grid.SetText(row, 3, "Y");
  EXPECT_NE(copy.StampOfRowBody(row), grid.StampOfRowBody(row));
  grid = copy;
  EXPECT_EQ(grid.Text(row, 3), "X");
  EXPECT_NE(grid.StampOfRowBody(row), copy.StampOfRowBody(row));
  EXPECT_THROW(grid.StampOfRowBody(grid::kRows), KavroError);
}

// The stamp of a range of rows moves with a change of any row inside it, wherever the range
// begins and ends, and with none outside it.
TEST(TextStamps, ARangeStampMovesWithEveryRowInsideAndNoneOutside) {
  MainGrid grid;
  for (int first = 0; first < grid::kRows; ++first) {
    for (int last = first; last < grid::kRows; ++last) {
      for (int changed = 0; changed < grid::kRows; ++changed) {
        const CellsStamp before = grid.StampOfRowBodies(first, last);
        grid.At(changed, 1 + changed % (grid::kCols - 1)).text += "x";
        const bool inside = changed >= first && changed <= last;
        ASSERT_EQ(grid.StampOfRowBodies(first, last) != before, inside)
            << "rows " << first << ".." << last << ", row " << changed << " changed";
      }
    }
  }
  MainGrid copy = grid;  // copied with the rows' stamps
  const CellsStamp copied = copy.StampOfRowBodies(9, 30);
  copy.SetText(17, 2, "y");
  EXPECT_NE(copy.StampOfRowBodies(9, 30), copied);
  EXPECT_THROW(grid.StampOfRowBodies(0, grid::kRows), KavroError);
}

}  // namespace
}  // namespace kavro::test
