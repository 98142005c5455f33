#include <gtest/gtest.h>

#include <algorithm>

#include "display/VariableEditorView.h"
#include "edit/CopyGrid.h"
#include "edit/EditWorld.h"

namespace kavro::test {
namespace {

TEST(CopyGridTest, CellsAreTabSeparatedAndRowsEndInACarriageReturnOnly) {
  CellTable cells(2, 3);
  cells.SetText(0, 0, "a");
  cells.SetText(0, 1, "b");
  cells.SetText(0, 2, "c");
  cells.SetText(1, 0, "d");
  cells.SetText(1, 2, "f");
  EXPECT_EQ(GridText(cells), "a\tb\tc\rd\t\tf");

  FakeWorld world;
  CopyGrid(world.controller, cells);
  EXPECT_EQ(world.clipboard.text, "a\tb\tc\rd\t\tf");
}

TEST(CopyGridTest, TheZoneGridCopiesWithItsHeadingsAndLabels) {
  EditWorld w;
  ShowVariableEditor(w.controller(), w.edits.variable, 2);
  const std::string text = GridText(w.edits.variable.MSHFlexGrid3);
  EXPECT_EQ(text.substr(0, text.find('\r')), "Zone Name\tItem\tPoint 1\tPoint 2\tPoint 3\tPoint 4");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 14);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_NE(text.find("\rLOW\tProcess Value\t0.000\t0.000\t100.000\t150.000\r\tMF Value\t1.000\t"),
            std::string::npos);
}

}  // namespace
}  // namespace kavro::test
