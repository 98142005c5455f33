#include "session/Replay.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/EngineTestModel.h"
#include "common/KavroError.h"
#include "common/NumberText.h"
#include "support/FakePorts.h"
#include "session/ReplayRows.h"
#include "session/TraceFile.h"

namespace kavro::test {
namespace {

// Input 1 "TI101" with zone "Hot" (50..100 rising), input 3 "AI 3", output 2 "FC102" with zone
// "Up" (+4); rule 1: MIN(TI101 is Hot) -> FC102 Up.
class ReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartController(controller);
    model.PVarIn[1].PVarName = "TI101";
    model.PVarIn[3].PVarName = "AI 3  ";
    SetZone(model.PVarIn[1].Zone[1], "Hot", {50, 100, 100, 100}, {0, 1, 1, 1});
    model.PVarOut[2].PVarName = "FC102";
    SetZone(model.PVarOut[2].Zone[1], "Up", {4, 5, 6, 7}, {1, 1, 1, 0});
    SetRule(controller, 1, "MIN", {{1, "Hot"}, {8, "Up"}});
  }
  std::string TraceErrorOf(const std::string& text) {
    try {
      ReadTrace(text, model);
    } catch (const TraceError& error) {
      return error.what();
    }
    return "(accepted)";
  }
  Controller controller;
  ControllerModel& model = controller.model;
};

TEST_F(ReplayTest, TraceColumnsNameVariablesAndTheirLimits) {
  // The second row is in grid form, but with a blank, a negative zero and CR LF line ends.
  const Trace trace = ReadTrace(
      "TI101, FC102.High,AI 3.Low ,FC102\r\n\r\n75,1e2,-0.0004,40\r\n"
      "75.000, 100.000,-0.000,40.000\r\n",
      model);
  ASSERT_EQ(trace.columns.size(), 4u);
  EXPECT_EQ(trace.columns[1].gridRow, grid::kRowHigh);
  EXPECT_EQ(trace.columns[1].gridColumn, grid::OutputColumn(2));
  EXPECT_EQ(trace.columns[2].gridRow, grid::kRowLow);
  EXPECT_EQ(trace.columns[2].gridColumn, grid::InputColumn(3));
  EXPECT_EQ(trace.rows, 2u);
  std::vector<std::string> texts;
  for (const TraceCell& cell : trace.cells) texts.push_back(cell.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"75.000", "100.000", "0.000", "40.000", "75.000",
                                             "100.000", "0.000", "40.000"}));
  EXPECT_FLOAT_EQ(trace.cells[1].number, 100.0f);

  EngineMemo memo;
  ApplyTraceRow(trace, 0, controller.grid, memo);
  EXPECT_EQ(controller.grid.Text(grid::kRowValue, grid::InputColumn(1)), "75.000");
  EXPECT_EQ(controller.grid.Text(grid::kRowHigh, grid::OutputColumn(2)), "100.000");
}

TEST_F(ReplayTest, BadTracesAreRefusedNamingRowAndColumn) {
  EXPECT_EQ(TraceErrorOf("TI101,TI102\n1,2\n"),
            "row 1, column 2: unknown column \"TI102\"; columns are NAME, NAME.High or NAME.Low "
            "of a used input or output");
  EXPECT_EQ(TraceErrorOf("TI101,TI101\n"),
            "row 1, column 2: column \"TI101\" sets what column 1 sets");
  EXPECT_EQ(TraceErrorOf("TI101,FC102\n1,2\n3,x7\n"),
            "row 3, column 2 (FC102): \"x7\" is not a number");
  EXPECT_EQ(TraceErrorOf("TI101,FC102\n1,\n"), "row 2, column 2 (FC102): \"\" is not a number");
  EXPECT_EQ(TraceErrorOf("TI101,FC102\n1,2,3\n"),
            "row 2, column 3: the row has 3 cells, the header 2");
  EXPECT_EQ(TraceErrorOf("TI101,FC102\n1.000,2.000,3.000\n"),
            "row 2, column 3: the row has 3 cells, the header 2");
  EXPECT_EQ(TraceErrorOf("TI101,FC102\n1.000\n"),
            "row 2, column 2: the row has 1 cells, the header 2");
  EXPECT_EQ(TraceErrorOf("TI101,FC102\n\n1\n"), "row 3, column 2: the row has 1 cells, the header 2");
  EXPECT_EQ(TraceErrorOf("TI101\n1e999\n"), "row 2, column 1 (TI101): \"1e999\" is too large a number");
  EXPECT_EQ(TraceErrorOf(""), "row 1: the trace has no header line");
  EXPECT_EQ(TraceErrorOf("\n\nTI101\n1\n2,\n"), "row 5, column 2: the row has 2 cells, the header 1");
}

// Cells written with three places are taken as their own grid text; every cell must still read
// and show as the general path reads and formats it, and a bad one is refused as before.
TEST_F(ReplayTest, TraceCellsReadAsTypedNumbersWhateverTheirForm) {
  const std::vector<std::string> fields = {
      "0.000", "-0.000", "12.500", "-12.500", "007.500", "00.000", "0.001", "-0.001", "9.999",
      "123456789012.345", "-999999999999.999", "1234567890123.456", "5.25", "5.2500", "+5.250",
      "1e3", "-1.5E-2", ".500", "5.", "16777217.000", "0.0005", "-0.0004"};
  std::string text = "TI101\n";
  for (const std::string& field : fields) text += field + "\n";
  const Trace trace = ReadTrace(text, model);
  ASSERT_EQ(trace.cells.size(), fields.size());
  for (size_t k = 0; k < fields.size(); ++k) {
    const std::string shown = FormatNumber(ToNumber(fields[k]), "####0.000");
    const float number = ToSingle(shown);
    EXPECT_EQ(trace.cells[k].text, shown) << fields[k];
    EXPECT_TRUE(trace.cells[k].numeric) << fields[k];
    EXPECT_EQ(std::memcmp(&trace.cells[k].number, &number, sizeof number), 0) << fields[k];
  }
  for (const std::string bad : {"5.2a0", "1.2.3", "--1.000", "1.0-0", "-.", "12.5 0"}) {
    EXPECT_EQ(TraceErrorOf("TI101\n" + bad + "\n"),
              "row 2, column 1 (TI101): \"" + bad + "\" is not a number");
  }
}

TEST_F(ReplayTest, EachRowIsOneCycleWithItsResultsAndErrorsGoOn) {
  const Trace trace = ReadTrace("TI101,FC102\n75,40\n1e39,40\n90,41\n", model);
  std::ostringstream out;
  std::ostringstream errors;
  const ReplaySummary summary =
      RunReplay(controller, trace, DateTime{2026, 12, 31, 23, 59, 0}, out, errors);

  EXPECT_EQ(summary.cycles, 3);
  EXPECT_EQ(summary.failedCycles, 1);
  std::string expected =
      "cycle,FC102.ValueOut,FC102.SendOutput,FC102.ClampIncrease,FC102.ClampDecrease,"
      "ErrorCodeValue";
  for (int r = 1; r <= NumRules; ++r) expected += ",R" + std::to_string(r);
  expected += ",TI101.VarIndex,AI 3.VarIndex\n";
  const std::string notUsed = ",Not Used,Not Used,Not Used,Not Used,Not Used,Not Used,Not Used,"
                              "Not Used,Not Used,Not Used,Not Used,Not Used,Not Used,Not Used,"
                              "Not Used,Not Used,Not Used,Not Used,Not Used";
  expected += "1,42.000,True,False,False,-90,0.5000" + notUsed + ",0.00,0.00\n";
  // The second cycle failed at the grid exchange: the results are those of the first.
  expected += "2,42.000,True,False,False,-90,0.5000" + notUsed + ",0.00,0.00\n";
  expected += "3,44.200,True,False,False,-90,0.8000" + notUsed + ",0.00,0.00\n";
  EXPECT_EQ(out.str(), expected);
  EXPECT_EQ(errors.str(),
            "Cycle 2 (Dec-31-2026 23:59:30):\nError Number = 6\nError Description = Overflow\n"
            "At error location = TIMER1: 4\n");
  EXPECT_EQ(controller.ports.clock, &NoClock());  // the controller's own ports are given back

  // Streamed from a file, the same trace gives the same rows and reports.
  std::istringstream file("TI101,FC102\n75,40\n1e39,40\n90,41\n");
  TraceReader reader(file, model);
  std::ostringstream streamedOut;
  std::ostringstream streamedErrors;
  StartController(controller);
  SetUp();
  const ReplaySummary streamed = RunReplay(controller, reader, DateTime{2026, 12, 31, 23, 59, 0},
                                           streamedOut, streamedErrors);
  EXPECT_EQ(streamed.cycles, 3);
  EXPECT_EQ(streamed.failedCycles, 1);
  EXPECT_EQ(streamedOut.str(), expected);
  EXPECT_EQ(streamedErrors.str(), errors.str());
}

// A row is taken as the cycle ends and written later: a script may leave texts of any length in
// the values, and a row taken into the room of an earlier one shows only its own texts.
TEST_F(ReplayTest, ResultRowsShowTextsOfAnyLengthAsTheCycleLeftThem) {
  ReplayRows rows(model);
  ResultOfCycle result;
  const std::string longValue(300, 'v');
  const std::string justOver(ResultOfCycle::kShortText + 1, 's');
  const std::string justIn(ResultOfCycle::kShortText, 'i');
  std::string line;
  for (const auto& [value, strength1, strength2] :
       {std::tuple{longValue, justOver, justIn}, std::tuple{std::string("7.250"), justIn, justOver},
        std::tuple{std::string(), std::string("0.5000"), std::string("Not Used")}}) {
    model.PVarOut[2].ValueOut = value;
    model.PVarOut[2].SendOutput = true;
    model.PVarOut[2].ClampIncrease = false;
    model.PVarOut[2].ClampDecrease = value.empty();
    model.Rules[1].Strength = strength1;
    model.Rules[2].Strength = strength2;
    model.PVarIn[3].VarIndex = 12.345f;
    model.ErrorCodeValue = -90;
    rows.Take(result, 41, model);
    model.PVarOut[2].ValueOut = "changed after the cycle";
    line.clear();
    rows.Append(line, result);
    std::string expected = "41," + value + ",True,False," + (value.empty() ? "True" : "False") +
                           ",-90," + strength1 + "," + strength2;
    for (int r = 3; r <= NumRules; ++r) expected += "," + model.Rules[r].Strength;
    expected += ",0.00,12.35\n";
    EXPECT_EQ(line, expected) << value.size();
  }
}

TEST_F(ReplayTest, SpreadsheetByteOrderMarkIsPassedOverAndRunawayCellsAreQuotedShort) {
  const Trace trace = ReadTrace("\xEF\xBB\xBFTI101,FC102\r\n75,40\r\n", model);
  ASSERT_EQ(trace.columns.size(), 2u);
  EXPECT_EQ(trace.columns[0].name, "TI101");
  std::istringstream file("\xEF\xBB\xBF\n\nTI101\n75\n");  // a mark before blank lines too
  TraceReader reader(file, model);
  ASSERT_EQ(reader.Columns().size(), 1u);
  std::vector<TraceCell> cells;
  ASSERT_TRUE(reader.Next(cells));
  EXPECT_EQ(cells.at(0).text, "75.000");
  EXPECT_FALSE(reader.Next(cells));
  // Only a mark at the very start is one; elsewhere it is part of a name.
  EXPECT_EQ(TraceErrorOf("TI101\n\xEF\xBB\xBF" "1\n"),
            "row 2, column 1 (TI101): \"\xEF\xBB\xBF" "1\" is not a number");

  const std::string huge(50'000'000, '7');
  EXPECT_EQ(TraceErrorOf("TI101\n" + huge + "x\n"),
            "row 2, column 1 (TI101): \"" + std::string(40, '7') + "\"... is not a number");
  EXPECT_EQ(TraceErrorOf(std::string(60, 'Z') + "\n"),
            "row 1, column 1: unknown column \"" + std::string(40, 'Z') +
                "\"...; columns are NAME, NAME.High or NAME.Low of a used input or output");
}

TEST_F(ReplayTest, PortsAreGivenBackWhenTheReplayFails) {
  FakeCycleTimer timer;
  FakeOperator op;
  op.failAtMessage = 1;
  controller.ports.timer = &timer;
  controller.ports.op = &op;
  ScratchDir dir;
  dir.Write("FLC.dat", "not a configuration\r\n");
  EXPECT_THROW(LoadForReplay(controller, dir.Path()), KavroError);  // the box itself failed
  EXPECT_EQ(controller.ports.timer, &timer);

  SetUp();
  const Trace trace = ReadTrace("TI101\n1e39\n", model);
  std::ostringstream out;
  struct FullDisk : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
  } full;
  std::ostream failing(&full);  // the error report cannot be written
  failing.exceptions(std::ios::badbit);
  EXPECT_THROW(RunReplay(controller, trace, DateTime{2026, 12, 5, 0, 0, 0}, out, failing),
               std::ios_base::failure);
  EXPECT_EQ(controller.ports.timer, &timer);
  EXPECT_EQ(controller.ports.clock, &NoClock());
}

}  // namespace
}  // namespace kavro::test
