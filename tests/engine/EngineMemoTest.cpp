// The engine's memo only saves work: a controller that keeps one between cycles computes
// exactly what a controller working everything out afresh computes, also when the inputs the
// memo is keyed by change under it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/RestrictFalseReport.h"
#include "engine/ControlCycle.h"
#include "engine/GridExchange.h"
#include "model/MainGrid.h"
#include "support/EngineTestModel.h"

namespace kavro::test {
namespace {

void Configure(Controller& c) {
  StartController(c);
  ControllerModel& m = c.model;
  m.PVarIn[1].PVarName = "TEMP";
  SetZone(m.PVarIn[1].Zone[1], "COLD", {0, 0, 40, 60}, {1, 1, 1, 0});
  SetZone(m.PVarIn[1].Zone[2], "HOT", {40, 60, 100, 100}, {0, 1, 1, 1});
  m.PVarIn[2].PVarName = "FLOW";
  SetZone(m.PVarIn[2].Zone[1], "LOW", {0, 0, 5, 10}, {1, 1, 1, 0});
  SetZone(m.PVarIn[2].Zone[2], "HIGH", {5, 10, 20, 20}, {0, 1, 1, 1});
  m.PVarOut[1].PVarName = "VALVE";
  m.PVarOut[1].PVHigh = 100;
  SetZone(m.PVarOut[1].Zone[1], "UP", {2, 0, 0, 0}, {1, 0, 0, 0});
  SetZone(m.PVarOut[1].Zone[2], "DOWN", {-3, 0, 0, 0}, {1, 0, 0, 0});
  SetRule(c, 1, "MIN", {{1, "COLD"}, {2, "LOW"}, {7, "UP"}});
  SetRule(c, 2, "PROD", {{1, "HOT"}, {7, "DOWN"}});
  SetRule(c, 3, "MAX", {{1, "HOT"}, {2, "HIGH"}, {7, "DOWN"}});
}

// Something every cycle changes the memo's keys: values (often repeating), zone names, terms
// in the grid, operators.
void Change(Controller& c, int cycle) {
  const double temperature = 30 + (cycle * 7) % 50;  // repeats every few cycles
  TypeIntoGrid(c, grid::kRowValue, grid::InputColumn(1), temperature);
  TypeIntoGrid(c, grid::kRowValue, grid::InputColumn(2), cycle % 3 == 0 ? 4.0 : 12.5);
  if (cycle == 10) c.model.PVarIn[1].Zone[2].MFName = "WARM";  // rule 2 and 3 now name no zone
  if (cycle == 15) c.model.PVarIn[1].Zone[1].MFName = "HOT";   // "HOT" names zone 1 now
  if (cycle == 20) c.grid.SetText(grid::RuleRow(1), grid::TermColumn(2), "HIGH");
  if (cycle == 25) c.grid.SetText(grid::RuleRow(2), grid::kColController, "BSUM");
  if (cycle == 30) c.grid.SetText(grid::RuleRow(3), grid::kColController, "bogus");
  KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
  if (cycle == 35) c.grid.At(grid::kRowValue, grid::InputColumn(2)).text = "x";  // cycle error
  KAVRO_STRING_RESTRICT_FALSE_REPORT_END
}

TEST(EngineMemo, RememberingCyclesComputeWhatFreshCyclesCompute) {
  Controller cached;
  Controller fresh;
  Configure(cached);
  Configure(fresh);
  const CycleSteps steps;
  EngineMemo memo;
  std::set<std::string> valuesSeen;
  for (int cycle = 1; cycle <= 40; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    Change(cached, cycle);
    Change(fresh, cycle);
    Timer1Tick(cached, steps, memo);
    Timer1Tick(fresh, steps);
    for (int r = 1; r <= NumRules; ++r) {
      ASSERT_EQ(cached.model.Rules[r].Strength, fresh.model.Rules[r].Strength) << "rule " << r;
    }
    for (int o = 1; o <= NumOut; ++o) {
      ASSERT_EQ(cached.model.PVarOut[o].ValueOut, fresh.model.PVarOut[o].ValueOut);
    }
    for (int i = 1; i <= NumIn; ++i) {
      ASSERT_EQ(cached.model.PVarIn[i].PVIN, fresh.model.PVarIn[i].PVIN);
      ASSERT_EQ(cached.model.PVarIn[i].VarIndex, fresh.model.PVarIn[i].VarIndex);
    }
    ASSERT_EQ(cached.model.ErrorCodeValue, fresh.model.ErrorCodeValue);
    valuesSeen.insert(cached.model.PVarOut[1].ValueOut);
    ASSERT_EQ(cached.events.Entries().size(), fresh.events.Entries().size());
  }
  // The run went through firing, silent and failing cycles, not one state forty times.
  // The "x" typed in cycle 35: its error began, and ended when the next cycle ran clean.
  EXPECT_EQ(cached.events.Entries().size(), 2u);
  EXPECT_GT(valuesSeen.size(), 5u);
}

// The value rows' numbers are taken again whenever the texts under them may have changed: a
// limit typed after cycles that left the rows alone, a cell written in place, a number
// remembered for a cell by another way, another grid with the same change count, a bad cell.
TEST(EngineMemo, ValueRowsAreTakenAgainWhenTheirTextsOrTheMemoMayHaveChanged) {
  Controller c;
  Configure(c);
  for (int row = grid::kRowHigh; row <= grid::kRowLow; ++row) {
    for (int i = 1; i <= 2; ++i) TypeIntoGrid(c, row, grid::InputColumn(i), 10.0 * row + i);
  }
  EngineMemo memo;
  const auto taken = [&](const MainGrid& grid) {
    TakeValuesFromGrid(c.model, grid, memo);
    ControllerModel plain = c.model;
    TakeValuesFromGrid(plain, grid);
    std::string values;
    for (int i = 1; i <= 2; ++i) {
      const PVarInRecord& input = c.model.PVarIn[i];
      EXPECT_EQ(input.PVHigh, plain.PVarIn[i].PVHigh);
      EXPECT_EQ(input.PVIN, plain.PVarIn[i].PVIN);
      EXPECT_EQ(input.PVLow, plain.PVarIn[i].PVLow);
      values += FormatNumber(input.PVHigh, "0.#") + "/" + FormatNumber(input.PVIN, "0.#") + "/" +
                FormatNumber(input.PVLow, "0.#") + " ";
    }
    return values;
  };
  EXPECT_EQ(taken(c.grid), "21/31/41 22/32/42 ");
  EXPECT_EQ(taken(c.grid), "21/31/41 22/32/42 ");
  TypeIntoGrid(c, grid::kRowValue, grid::InputColumn(1), 5);
  EXPECT_EQ(taken(c.grid), "21/5/41 22/32/42 ");
  TypeIntoGrid(c, grid::kRowHigh, grid::InputColumn(2), 99);  // the limits' row moves at last
  EXPECT_EQ(taken(c.grid), "21/5/41 99/32/42 ");
  KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
  c.grid.At(grid::kRowLow, grid::InputColumn(1)).text = "1.5";
  KAVRO_STRING_RESTRICT_FALSE_REPORT_END
  EXPECT_EQ(taken(c.grid), "21/5/1.5 99/32/42 ");
  RememberCellNumber(memo, grid::kRowHigh, grid::InputColumn(1), "77.000", 77);  // not typed
  EXPECT_EQ(taken(c.grid), "21/5/1.5 99/32/42 ");
  // A copy counts its changes on from the same number: only its identity tells it apart.
  MainGrid copy = c.grid;
  TypeIntoGrid(c, grid::kRowLow, grid::InputColumn(2), 8);
  TypeIntoGrid(c, grid::kRowLow, grid::InputColumn(2), 9);  // stamps level with the copy's
  TypeIntoGrid(c, grid::kRowLow, grid::InputColumn(1), 3);
  copy.SetText(grid::kRowLow, grid::InputColumn(2), "6");
  copy.SetText(grid::kRowHigh, grid::InputColumn(1), "4");
  copy.SetText(grid::kRowLow, grid::InputColumn(1), "2");
  EXPECT_EQ(taken(c.grid), "21/5/3 99/32/9 ");
  EXPECT_EQ(taken(copy), "4/5/2 99/32/6 ");
  c.grid.SetText(grid::kRowHigh, grid::InputColumn(2), "high");
  EXPECT_THROW(taken(c.grid), KavroError);
  c.grid.SetText(grid::kRowHigh, grid::InputColumn(2), "98");
  EXPECT_EQ(taken(c.grid), "21/5/3 98/32/9 ");
}

}  // namespace
}  // namespace kavro::test
