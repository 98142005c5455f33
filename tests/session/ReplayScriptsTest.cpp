// The replay runs the working folder's scripts as the controller would: the demo's post-process
// script holds the fuel while the kiln torque reads low, and nowhere else changes a result.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "session/Replay.h"
#include "session/TraceFile.h"
#include "support/DemoFiles.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

using Row = std::vector<std::string>;

std::vector<Row> CsvRows(const std::string& text) {
  std::vector<Row> rows;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    Row row;
    std::istringstream fields(line);
    std::string field;
    while (std::getline(fields, field, ',')) row.push_back(field);
    rows.push_back(row);
  }
  return rows;
}

size_t ColumnOf(const Row& header, const std::string& name) {
  for (size_t k = 0; k < header.size(); ++k) {
    if (header[k] == name) return k;
  }
  ADD_FAILURE() << "no column " << name;
  return 0;
}

class ReplayScriptsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("FLC.dat", DemoFile("FLC.dat"));
    dir.Write("FLC_Post.scp", DemoFile("FLC_Post.scp"));
  }
  // The replay's result file and its error text.
  std::pair<std::string, std::string> Replay(const std::string& traceText, bool withScripts) {
    FakeWorld world;
    EXPECT_TRUE(LoadForReplay(world.controller, dir.Path()));
    const Trace trace = ReadTrace(traceText, world.controller.model);
    std::ostringstream out, errors;
    RunReplay(world.controller, trace, DateTime{2026, 12, 7, 10, 0, 0}, out, errors, withScripts);
    return {out.str(), errors.str()};
  }
  ScratchDir dir;
};

TEST_F(ReplayScriptsTest, DemoScriptHoldsTheFuelExactlyInTheCyclesOfLowTorque) {
  // The torque drops below the script's trip value of 50 in cycles 3 to 5.
  const std::vector<int> torque = {80, 75, 40, 30, 45, 70, 90};
  std::string traceText = "BZTEMP,O2,NOX,TORQUE,FUEL\n";
  for (size_t k = 0; k < torque.size(); ++k) {
    traceText += std::to_string(1380 + 15 * static_cast<int>(k)) + ",2.1,600," +
                 std::to_string(torque[k]) + ",12.5\n";
  }
  const auto [scripted, scriptErrors] = Replay(traceText, true);
  const auto [plain, plainErrors] = Replay(traceText, false);
  EXPECT_EQ(scriptErrors, "");
  EXPECT_EQ(plainErrors, "");

  const std::vector<Row> withScript = CsvRows(scripted);
  const std::vector<Row> without = CsvRows(plain);
  ASSERT_EQ(withScript.size(), torque.size() + 1);
  ASSERT_EQ(without.size(), withScript.size());
  ASSERT_EQ(withScript[0], without[0]);
  const size_t fuel = ColumnOf(withScript[0], "FUEL.ValueOut");
  for (size_t k = 0; k < torque.size(); ++k) {
    const Row& a = withScript[k + 1];
    const Row& b = without[k + 1];
    ASSERT_EQ(a.size(), b.size());
    for (size_t column = 0; column < a.size(); ++column) {
      if (torque[k] < 50 && column == fuel) {
        EXPECT_EQ(a[column], "12.500") << "cycle " << k + 1 << ": the fuel is held";
        EXPECT_NE(b[column], "12.500") << "cycle " << k + 1 << ": the rules move the fuel";
      } else {
        EXPECT_EQ(a[column], b[column]) << "cycle " << k + 1 << ", " << withScript[0][column];
      }
    }
  }
}

TEST_F(ReplayScriptsTest, ScriptErrorsAreCycleErrorsWithTheirLocation) {
  // The load's run of the top level passes; every cycle's run divides by zero.
  dir.Write("FLC_Pre.scp",
            "Status PreProcess = ON\r\n12/7/2026 9:00:00 AM\r\nIf k > 0 Then y = 1 / 0\r\n"
            "k = 1\r\n");
  const std::string traceText = "BZTEMP,TORQUE\n1400,80\n1400,80\n";
  const auto [withScripts, errors] = Replay(traceText, true);
  EXPECT_NE(errors.find("Cycle 1 ("), std::string::npos) << errors;
  EXPECT_NE(errors.find("Cycle 2 ("), std::string::npos) << errors;
  EXPECT_NE(errors.find("Division by zero"), std::string::npos) << errors;
  EXPECT_NE(errors.find("TIMER1: 31"), std::string::npos) << errors;

  const auto [withoutScripts, none] = Replay(traceText, false);
  EXPECT_EQ(none, "");
}

}  // namespace
}  // namespace kavro::test
