// Every cycle of a session lands in the working folder's plant history, its run-time error
// included, and a history that cannot be written is one event while control goes on.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "history/HistoryReader.h"
#include "common/TextUtil.h"
#include "model/MainGrid.h"
#include "session/ControllerSession.h"
#include "support/DemoFiles.h"
#include "support/FaultyVfs.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

std::vector<CycleRecord> Recorded(const std::string& dir) {
  HistoryReader reader(dir);
  std::vector<CycleRecord> all;
  reader.ForEachCycle(0, INT64_MAX, [&](const CycleRecord& r) { all.push_back(r); });
  return all;
}

TEST(HistoryWiring, EachCycleIsRecordedWithItsErrorAndTheNamesItRanUnder) {
  LinkTestWorld w;
  w.dir.Write("FLC.dat", DemoFile("FLC.dat"));
  Controller& c = w.controller;
  ControllerSession session(c);
  ASSERT_TRUE(session.Start(w.dir.Path()));
  c.model.Link.LinkStatus = kOff;
  for (int k = 0; k < 3; ++k) {
    if (k == 1) c.grid.SetText(grid::kRowValue, grid::InputColumn(2), "hot");
    if (k == 2) c.grid.SetText(grid::kRowValue, grid::InputColumn(2), "1350");
    session.RunCycle();
    w.clock.Advance(10);
  }
  session.history()->Flush();
  const auto all = Recorded(w.dir.Path());
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].errorStep, 0);
  EXPECT_EQ(all[1].errorStep, 4);  // the grid exchange
  EXPECT_EQ(all[1].errorNumber, 13);
  EXPECT_EQ(all[2].errorNumber, 0);
  EXPECT_DOUBLE_EQ(all[2].in[2].pv, 1350);
  EXPECT_EQ(all[2].timeMs - all[1].timeMs, 10'000);
  EXPECT_EQ(all[2].toFile, c.model.ToFileMode);
  EXPECT_EQ(all[2].errorCode, c.model.ErrorCodeValue);
  HistoryReader reader(w.dir.Path());
  const ConfigRevision config = reader.Revisions().at(all[2].revision);
  EXPECT_EQ(config.in[2].name, TrimRight(c.model.PVarIn[2].PVarName));
  EXPECT_EQ(config.runFrequency, c.model.FLCBlock.RunFrequency);
}

TEST(HistoryWiring, AHistoryThatCannotBeWrittenIsOneEventAndControlGoesOn) {
  LinkTestWorld w;
  w.dir.Write("FLC.dat", DemoFile("FLC.dat"));
  Controller& c = w.controller;
  SessionOptions options;
  options.historyVfs = kFaultyVfsName;
  FaultyVfs& vfs = FaultyVfs::Install();
  ControllerSession session(c, options);
  ASSERT_TRUE(session.Start(w.dir.Path()));
  c.model.Link.LinkStatus = kOff;
  vfs.failWrites = SQLITE_FULL;
  const auto told = [&c] {
    int n = 0;
    for (const auto& e : c.events.Entries()) {
      n += e.text.rfind("The plant history cannot be recorded (", 0) == 0 ? e.repeats : 0;
    }
    return n;
  };
  for (int k = 0; k < 4; ++k) {
    w.timer.armed = false;
    session.RunCycle();
    EXPECT_TRUE(w.timer.armed);  // the next cycle comes
    w.clock.Advance(10);
  }
  session.history()->Flush();
  EXPECT_EQ(told(), 1);
  ASSERT_NE(c.events.Notice(), nullptr);
  vfs.failWrites = 0;
  session.RunCycle();
  session.history()->Flush();
  EXPECT_EQ(told(), 1);
  EXPECT_EQ(c.events.Entries().back().text, "Plant history recording resumed");
  EXPECT_EQ(Recorded(w.dir.Path()).size(), 1u);
}

}  // namespace
}  // namespace kavro::test
