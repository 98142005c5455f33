// Values typed with their numbers known (the replay's way) are taken by the next exchange as
// the plain exchange reads the grid: the row the memo took stays taken only while the typed
// cell was its one change, and a text too long to keep in place is still read right.
#include <gtest/gtest.h>

#include <string>

#include "common/NumberText.h"
#include "common/RestrictFalseReport.h"
#include "edit/ValueTyping.h"
#include "engine/GridExchange.h"
#include "model/MainGrid.h"
#include "support/EngineTestModel.h"

namespace kavro::test {
namespace {

void TwoInputs(Controller& c) {
  StartController(c);
  c.model.PVarIn[1].PVarName = "TEMP";
  c.model.PVarIn[2].PVarName = "FLOW";
  for (int row = grid::kRowHigh; row <= grid::kRowLow; ++row) {
    for (int i = 1; i <= 2; ++i) TypeIntoGrid(c, row, grid::InputColumn(i), 10.0 * row + i);
  }
}

// Both inputs' process values, through the memo and through the plain exchange, which must agree.
std::string Taken(Controller& c, EngineMemo& memo) {
  TakeValuesFromGrid(c.model, c.grid, memo);
  ControllerModel plain = c.model;
  TakeValuesFromGrid(plain, c.grid);
  std::string values;
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(c.model.PVarIn[i].PVHigh, plain.PVarIn[i].PVHigh);
    EXPECT_EQ(c.model.PVarIn[i].PVIN, plain.PVarIn[i].PVIN);
    EXPECT_EQ(c.model.PVarIn[i].PVLow, plain.PVarIn[i].PVLow);
    values += FormatNumber(c.model.PVarIn[i].PVIN, "0.###") + " ";
  }
  return values;
}

void Type(Controller& c, EngineMemo& memo, int input, const std::string& text) {
  ValueTyping typing(c.grid, memo);
  typing.Number(grid::kRowValue, grid::InputColumn(input), text, ToSingle(text));
  typing.Finish();
}

TEST(ValueTyping, TypedNumbersAreTakenAsTheGridReadsThem) {
  Controller c;
  TwoInputs(c);
  EngineMemo memo;
  EXPECT_EQ(Taken(c, memo), "31 32 ");
  Type(c, memo, 1, "5.250");  // the only change since the rows were taken
  Type(c, memo, 2, "6.500");
  EXPECT_EQ(Taken(c, memo), "5.25 6.5 ");
  Type(c, memo, 1, "7.125");
  EXPECT_EQ(Taken(c, memo), "7.125 6.5 ");
  // A cell of the row written the ordinary way between two typed ones: the row is read again.
  Type(c, memo, 1, "8.000");
  KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
  c.grid.At(grid::kRowValue, grid::InputColumn(2)).text = "9.5";
  KAVRO_STRING_RESTRICT_FALSE_REPORT_END
  Type(c, memo, 1, "8.500");
  EXPECT_EQ(Taken(c, memo), "8.5 9.5 ");
  // The same when the other cell changed before any typing, and in another row.
  c.grid.SetText(grid::kRowValue, grid::InputColumn(2), "4");
  Type(c, memo, 1, "3.000");
  EXPECT_EQ(Taken(c, memo), "3 4 ");
  c.grid.SetText(grid::kRowHigh, grid::InputColumn(2), "99");
  Type(c, memo, 1, "2.000");
  EXPECT_EQ(Taken(c, memo), "2 4 ");
  EXPECT_EQ(c.model.PVarIn[2].PVHigh, 99.0f);
  // A text longer than the memo keeps in place, typed and then written over by hand.
  const std::string longText = "0.00000000000000000000000125";
  Type(c, memo, 2, longText);
  EXPECT_EQ(Taken(c, memo), "2 0 ");
  EXPECT_EQ(c.model.PVarIn[2].PVIN, ToSingle(longText));
  c.grid.SetText(grid::kRowValue, grid::InputColumn(2), "1.25");
  EXPECT_EQ(Taken(c, memo), "2 1.25 ");
  EXPECT_EQ(c.grid.Text(grid::kRowValue, grid::InputColumn(1)), "2.000");
  // A row typed with a text that is no number among its numbers is read again: the next
  // exchange reports the text as the operator's.
  {
    ValueTyping typing(c.grid, memo);
    typing.Number(grid::kRowValue, grid::InputColumn(1), "6.000", 6);
    typing.Text(grid::kRowValue, grid::InputColumn(2), "n/a");
    typing.Finish();
  }
  EXPECT_THROW(TakeValuesFromGrid(c.model, c.grid, memo), KavroError);
  c.grid.SetText(grid::kRowValue, grid::InputColumn(2), "0.5");
  EXPECT_EQ(Taken(c, memo), "6 0.5 ");
  c.grid.SetText(grid::kRowName, 2, "TEMP");
  ValueTyping typing(c.grid, memo);
  EXPECT_THROW(typing.Number(grid::kRowName, 2, "1", 1), KavroError);
  EXPECT_EQ(c.grid.Text(grid::kRowName, 2), "TEMP");
}

}  // namespace
}  // namespace kavro::test
