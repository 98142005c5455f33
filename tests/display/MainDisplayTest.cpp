#include <gtest/gtest.h>

#include "display/MainDisplay.h"
#include "display/PenColours.h"
#include "display/RuleRowsSelector.h"
#include "display/StatusFrame.h"
#include "display/TrendPlot.h"
#include "support/DisplayFixture.h"

namespace kavro {
namespace {

using MainDisplayTest = test::DisplayFixture;

TEST_F(MainDisplayTest, BuildWritesFixedLabelsColoursAndRefreshes) {
  c.model.FLCBlock.Name1 = "KILN1";
  c.model.PVarIn[1].PlotHi = kAuto;
  c.model.PVarIn[1].PlotLo = "10";
  Trend(c).lblScaleLo[0].caption = "12.0";
  BuildMainDisplay(c);

  EXPECT_EQ(c.window.status->Label3.caption, "Kavro: Fuzzy Logic Controller: KILN1");
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "A:");
  // A fixed scale keeps its text until the trend refresh writes the number.
  EXPECT_EQ(Trend(c).lblScaleLo[0].caption, "12.0");

  const MainGrid& g = c.grid;
  const char* column0[] = {"High Target", "PValue", "Low Target", "Active Zone 1", "",
                           "Active Zone 2", "", "Active Zone 3", "", "Rules:RValue"};
  for (int row = 2; row <= 11; ++row) EXPECT_EQ(g.Text(row, 0), column0[row - 2]) << row;
  EXPECT_EQ(g.Text(5, 1), "Name");
  EXPECT_EQ(g.Text(10, 1), "MF Value");
  EXPECT_EQ(g.Text(1, 1), "Kavro:Config");
  EXPECT_EQ(c.strip.Text(0, 0), "Output");
  // The build ends with a status refresh, which replaces "Slope" and "Error" and the rule labels.
  EXPECT_EQ(g.Text(2, 1), "Slope - OFF");
  EXPECT_EQ(g.Text(3, 1), "No Error");
  EXPECT_EQ(g.Text(12, 0), "R1: Not Used");
  EXPECT_EQ(g.Text(0, 1), "KILN1");

  for (int col = 2; col <= 9; ++col) {
    EXPECT_EQ(g.Text(1, col), "Config");
    EXPECT_EQ(g.At(1, col).foreColour, Colour::FromRgb(0, 0, 200));
    EXPECT_EQ(g.At(1, col).backColour, Colour::FromRgb(210, 210, 255));
    EXPECT_EQ(g.At(0, col).foreColour, PenColor(col - 1));
  }
  EXPECT_EQ(g.At(0, 2).backColour, Colour::FromRgb(255, 255, 150));
  EXPECT_EQ(g.At(0, 9).backColour, Colour::FromRgb(255, 200, 200));
  EXPECT_EQ(PenColor(1), PaletteColour(9));
  EXPECT_EQ(PenColor(8), PaletteColour(4));
}

TEST_F(MainDisplayTest, RuleRowsSelectorTakesCharactersTwoAndThree) {
  FillRuleRowsSelector(c);
  ASSERT_EQ(c.window.ruleRows->cmbDisplayRules.size(), 10u);
  EXPECT_EQ(c.window.ruleRows->cmbDisplayRules.front(), "R11");
  EXPECT_EQ(c.window.ruleRows->cmbDisplayRules.back(), "R20");
  EXPECT_EQ(c.window.ruleRows->RuleRowsShown, 32);

  c.model.FLCBlock.Name1 = "NEW";
  cmbDisplayRules_LostFocus(c, "R15");
  EXPECT_EQ(c.window.ruleRows->RuleRowsShown, 27);
  EXPECT_EQ(c.window.status->Label3.caption, "Kavro: Fuzzy Logic Controller: NEW");  // rebuilt
  EXPECT_FALSE(c.model.CycleHold);

  cmbDisplayRules_LostFocus(c, "R1");  // two characters: "R1" is no number
  EXPECT_EQ(c.window.ruleRows->RuleRowsShown, 27);
  cmbDisplayRules_LostFocus(c, "R1x");
  EXPECT_EQ(c.window.ruleRows->RuleRowsShown, 27);
  cmbDisplayRules_LostFocus(c, "R11 rules");
  EXPECT_EQ(c.window.ruleRows->RuleRowsShown, 23);

  // CycleHold is cleared even when the rebuild fails.
  c.model.Rules[1].Strength = "bad";
  EXPECT_ANY_THROW(cmbDisplayRules_LostFocus(c, "R12"));
  EXPECT_FALSE(c.model.CycleHold);
}

}  // namespace
}  // namespace kavro
