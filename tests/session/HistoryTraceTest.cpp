// Last night's recorded cycles become a replay trace under today's names.
#include <gtest/gtest.h>

#include "history/HistoryTime.h"
#include "history/HistoryWriter.h"
#include "session/HistoryTrace.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

TEST(HistoryTrace, RecordedSlotsRunUnderTodaysNamesAndOnlyTheVariablesInUseNow) {
  ScratchDir dir;
  const std::int64_t start = HistoryMs(DateTime{2026, 12, 5, 2, 0, 0});
  {
    ConfigRevision then;
    then.in[1] = {"OLDNAME", "", 0, 0};
    then.in[2] = {"O2", "", 0, 0};
    HistoryWriter writer(dir.Path(), [](const std::string&, bool) {});
    writer.RecordMany(
        3,
        [start](long k) {
          CycleRecord row;
          row.timeMs = start + k * 10'000;
          row.in[1] = {1300.25 + static_cast<double>(k), 1400, 1250};
          row.in[2] = {2.5, 3, 2};
          row.out[1] = {};
          row.out[1].pv = 7;
          return row;
        },
        then);
  }
  ControllerModel now;
  now.PVarIn[1].PVarName = "BZTEMP  ";
  now.PVarOut[1].PVarName = "FUEL";
  HistoryReader reader(dir.Path());
  long rows = 0;
  const std::string text = HistoryTraceText(now, reader, start + 10'000, start + 20'000, &rows);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(text,
            "BZTEMP,BZTEMP.High,BZTEMP.Low,FUEL,FUEL.High,FUEL.Low\r\n"
            "1301.250,1400.000,1250.000,7.000,0.000,0.000\r\n"
            "1302.250,1400.000,1250.000,7.000,0.000,0.000\r\n");
}

}  // namespace
}  // namespace kavro::test
