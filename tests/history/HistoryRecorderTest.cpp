// The recorder keeps every cycle with the configuration it ran under, tells a fault of the file
// once while the cycles go on, and starts again by itself when the fault clears.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cmath>
#include <filesystem>
#include <thread>

#include "history/HistoryReader.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryWriter.h"
#include "history/HistorySchema.h"
#include "history/HistoryTime.h"
#include "support/FakePorts.h"
#include "support/FaultyVfs.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

const DateTime kNow{2026, 12, 5, 12, 0, 0};
const std::int64_t kStart = HistoryMs(kNow);

ConfigRevision Config(const std::string& kilnName) {
  ConfigRevision config;
  config.controllerName = "FLC1";
  config.runFrequency = 10;
  config.in[1] = {kilnName, "degC", 1200, 1500};
  config.out[1] = {"Fuel", "t/h", 0, 10};
  return config;
}

CycleRecord Cycle(int k) {
  CycleRecord record;
  record.timeMs = kStart + k * 10'000;
  record.in[1] = {1300.0 + k, 1400, 1250};
  record.out[1].pv = 5;
  record.out[1].value = 0.25 * k;
  record.out[1].sent = k % 2 == 0 ? std::optional<double>(0.5) : std::nullopt;
  record.out[1].clampDecrease = k == 3;
  record.errorCode = k == 3 ? -2 : 0;
  record.linkOn = true;
  return record;
}

struct Told {
  std::vector<std::pair<std::string, bool>> lines;
  HistoryWriter::Tell Sink() {
    return [this](const std::string& text, bool fault) { lines.emplace_back(text, fault); };
  }
};

std::vector<CycleRecord> ReadAll(const ScratchDir& dir) {
  HistoryReader reader(dir.Path());
  std::vector<CycleRecord> all;
  reader.ForEachCycle(0, kStart * 2, [&](const CycleRecord& r) { all.push_back(r); });
  return all;
}

TEST(HistoryWriter, KeepsEveryCycleWithTheConfigurationItRanUnderAcrossARestart) {
  ScratchDir dir;
  Told told;
  {
    HistoryWriter recorder(dir.Path(), told.Sink());
    for (int k = 0; k < 3; ++k) recorder.Record(Cycle(k), Config("Kiln"), kNow);
  }
  {
    // A restart under the same configuration adds no revision; a renamed variable does.
    HistoryWriter recorder(dir.Path(), told.Sink());
    recorder.Record(Cycle(3), Config("Kiln"), kNow);
    recorder.Record(Cycle(4), Config("Burning zone"), kNow);
  }
  EXPECT_TRUE(told.lines.empty());
  const auto all = ReadAll(dir);
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[3].timeMs, kStart + 30'000);
  EXPECT_DOUBLE_EQ(all[3].in[1].pv, 1303);
  EXPECT_DOUBLE_EQ(all[3].in[1].low, 1250);
  EXPECT_EQ(all[3].out[1].value, 0.75);
  EXPECT_EQ(all[3].out[1].sent, std::nullopt);  // "X"
  EXPECT_EQ(all[4].out[1].sent, 0.5);
  EXPECT_TRUE(all[3].out[1].clampDecrease);
  EXPECT_FALSE(all[3].out[1].clampIncrease);
  EXPECT_EQ(all[3].errorCode, -2);
  EXPECT_TRUE(all[3].linkOn);

  HistoryReader reader(dir.Path());
  const auto revisions = reader.Revisions();
  ASSERT_EQ(revisions.size(), 2u);
  EXPECT_EQ(revisions.at(all[3].revision).in[1].name, "Kiln");
  EXPECT_EQ(revisions.at(all[4].revision).in[1].name, "Burning zone");
  EXPECT_EQ(revisions.at(all[4].revision).out[1].high, 10);
  EXPECT_EQ(reader.Span(), std::make_pair(kStart, kStart + 40'000));
}

TEST(HistoryWriter, TwoCyclesOnTheSameClockTimeAreBothKept) {
  ScratchDir dir;
  Told told;
  HistoryWriter recorder(dir.Path(), told.Sink());
  recorder.Record(Cycle(1), Config("Kiln"), kNow);
  recorder.Record(Cycle(1), Config("Kiln"), kNow);  // the clock was set back
  const auto all = ReadAll(dir);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[1].timeMs, all[0].timeMs + 1);
}

TEST(HistoryWriter, AFullOrReadOnlyDiskIsToldOnceAndRecordingResumesWhenItClears) {
  for (const int fault : {SQLITE_FULL, SQLITE_IOERR_WRITE}) {
    ScratchDir dir;
    Told told;
    FaultyVfs& vfs = FaultyVfs::Install();
    HistoryRecorderOptions options;
    options.vfs = kFaultyVfsName;
    HistoryWriter recorder(dir.Path(), told.Sink(), options);
    recorder.Record(Cycle(0), Config("Kiln"), kNow);
    vfs.failWrites = fault;
    for (int k = 1; k <= 3; ++k) recorder.Record(Cycle(k), Config("Kiln"), kNow);
    EXPECT_TRUE(recorder.Failing());
    ASSERT_EQ(told.lines.size(), 1u) << fault;
    EXPECT_TRUE(told.lines[0].second);
    EXPECT_NE(told.lines[0].first.find("The plant history cannot be recorded ("), std::string::npos);
    EXPECT_NE(told.lines[0].first.find("control goes on"), std::string::npos);
    vfs.failWrites = 0;
    recorder.Record(Cycle(4), Config("Kiln"), kNow);
    EXPECT_FALSE(recorder.Failing());
    ASSERT_EQ(told.lines.size(), 2u);
    EXPECT_EQ(told.lines[1], std::make_pair(std::string("Plant history recording resumed"), false));
    const auto all = ReadAll(dir);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].timeMs, Cycle(4).timeMs);
  }
}

TEST(HistoryWriter, AFileLockedByAnotherProgramIsAFaultThatClears) {
  ScratchDir dir;
  Told told;
  HistoryWriter recorder(dir.Path(), told.Sink());
  recorder.Record(Cycle(0), Config("Kiln"), kNow);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(HistoryPath(dir.Path()).c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  recorder.Record(Cycle(1), Config("Kiln"), kNow);
  recorder.Record(Cycle(2), Config("Kiln"), kNow);
  EXPECT_EQ(told.lines.size(), 1u);
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  recorder.Record(Cycle(3), Config("Kiln"), kNow);
  EXPECT_EQ(told.lines.size(), 2u);
  EXPECT_EQ(ReadAll(dir).size(), 2u);
}

TEST(HistoryWriter, ADamagedFileIsRenamedAsideAndANewOneTakesTheCycle) {
  ScratchDir dir;
  dir.Write(kHistoryFileName, std::string(4096, 'x'));
  Told told;
  HistoryWriter recorder(dir.Path(), told.Sink());
  recorder.Record(Cycle(0), Config("Kiln"), DateTime{2026, 12, 5, 7, 8, 9});
  const std::string aside = std::string(kHistoryFileName) + ".corrupt-2026-12-05-070809";
  EXPECT_EQ(dir.Read(aside), std::string(4096, 'x'));
  ASSERT_EQ(told.lines.size(), 1u);
  EXPECT_EQ(told.lines[0].first, "The plant history file was damaged: it was renamed " + aside +
                                     " and a new one started");
  EXPECT_FALSE(recorder.Failing());
  EXPECT_EQ(ReadAll(dir).size(), 1u);
}

TEST(HistoryWriter, OldRecordsGoASmallBatchAfterEachCycle) {
  ScratchDir dir;
  Told told;
  HistoryRecorderOptions options;
  options.retentionDays = 1;
  options.deleteBatch = 2;
  HistoryWriter recorder(dir.Path(), told.Sink(), options);
  const std::int64_t kDay = 86'400'000;
  for (int k = 0; k < 5; ++k) {
    CycleRecord old = Cycle(k);
    old.timeMs -= 3 * kDay;
    recorder.Record(old, Config("Kiln"), kNow);
  }
  // The old rows were recorded 3 days before the newest of them: nothing was due then.
  EXPECT_EQ(ReadAll(dir).size(), 5u);
  recorder.Record(Cycle(0), Config("Kiln"), kNow);
  EXPECT_EQ(ReadAll(dir).size(), 4u);  // 5 + 1 - 2
  recorder.Record(Cycle(1), Config("Kiln"), kNow);
  recorder.Record(Cycle(2), Config("Kiln"), kNow);
  const auto all = ReadAll(dir);
  ASSERT_EQ(all.size(), 3u);  // only the three new ones
  EXPECT_EQ(all[0].timeMs, kStart);
}

TEST(HistoryReader, LongSpansReadByTheMinuteGiveTheExtremesOfTheCyclesThemselves) {
  ScratchDir dir;
  HistoryWriter writer(dir.Path(), [](const std::string&, bool) {});
  constexpr long kCycles = 2000;  // 7 s apart: minutes of 8 or 9 cycles, not aligned
  const auto value = [](long k) { return std::sin(k * 0.37) * 100 + (k % 97); };
  writer.RecordMany(
      kCycles,
      [&](long k) {
        CycleRecord row;
        row.timeMs = kStart + 3'500 + k * 7'000;
        row.in[2].pv = value(k);
        row.out[2].pv = -value(k);
        return row;
      },
      Config("Kiln"));
  // The minutes kept as cycles are added one at a time agree with those of the bulk fill.
  writer.Record(Cycle(-1), Config("Kiln"), kNow);
  HistoryReader reader(dir.Path());
  const std::int64_t from = kStart, to = kStart + 14'000'000;  // 50 columns of 4 min 40 s
  const auto minutes = reader.Extremes(from, to, 50);
  for (int column = 0; column < 50; ++column) {
    // The cycles whose minute begins in the column.
    double min = 1e9, max = -1e9;
    for (long k = 0; k < kCycles; ++k) {
      const std::int64_t t = kStart + 3'500 + k * 7'000;
      const std::int64_t minuteStart = t / 60'000 * 60'000;
      if (minuteStart < from + column * 280'000 || minuteStart >= from + (column + 1) * 280'000) {
        continue;
      }
      min = std::min(min, value(k));
      max = std::max(max, value(k));
    }
    if (min > max) continue;
    EXPECT_EQ(minutes[2][column].min, min) << column;
    EXPECT_EQ(minutes[2][column].max, max) << column;
    EXPECT_EQ(minutes[NumIn + 2][column].max, -min) << column;
  }
  EXPECT_EQ(reader.Extremes(kStart - 600'000, kStart, 1)[1][0].max, 1299);  // Cycle(-1), by the minute
}

TEST(HistoryReader, AFolderWithoutHistoryIsOneLineAndNothingIsCreated) {
  ScratchDir dir;
  try {
    HistoryReader reader(dir.Path());
    FAIL() << "opened a history that is not there";
  } catch (const HistoryReadError& error) {
    EXPECT_EQ(std::string(error.what()),
              "no plant history in " + dir.Path() + " (kavro-history.sqlite)");
    EXPECT_TRUE(error.missing);  // told apart from a file that fails to read: exit 2, not 1
  }
  EXPECT_FALSE(fs::exists(HistoryPath(dir.Path())));
  dir.Write("kavro-history.sqlite", "not a database, but a file that is there");
  try {
    HistoryReader reader(dir.Path());
    FAIL() << "read a history from garbage";
  } catch (const HistoryReadError& error) {
    EXPECT_FALSE(error.missing);
  }
}

TEST(HistoryReader, ExtremesGiveEachPixelColumnItsMinimumAndMaximum) {
  ScratchDir dir;
  Told told;
  HistoryWriter recorder(dir.Path(), told.Sink());
  // Ten cycles 10 s apart over 100 s; four columns of 25 s: cycles 0-2, 3-4, 5-7, 8-9.
  for (int k = 0; k < 10; ++k) {
    CycleRecord record = Cycle(k);
    record.in[1].pv = k % 2 == 0 ? k : -k;
    recorder.Record(record, Config("Kiln"), kNow);
  }
  HistoryReader reader(dir.Path());
  const auto columns = reader.Extremes(kStart, kStart + 100'000, 4);
  const auto& in1 = columns[1];
  ASSERT_EQ(in1.size(), 4u);
  EXPECT_EQ(in1[0].min, -1);
  EXPECT_EQ(in1[0].max, 2);
  EXPECT_EQ(in1[1].min, -3);
  EXPECT_EQ(in1[1].max, 4);
  EXPECT_EQ(in1[3].min, -9);
  EXPECT_EQ(in1[3].max, 8);
  EXPECT_TRUE(columns[NumIn + 1][2].any);
  EXPECT_EQ(columns[NumIn + 1][2].min, 5);  // output 1's process value
  // A span after the last cycle has columns with nothing in them.
  EXPECT_FALSE(reader.Extremes(kStart + 200'000, kStart + 300'000, 4)[1][0].any);
  ASSERT_TRUE(reader.CycleAt(kStart + 45'000));
  EXPECT_EQ(reader.CycleAt(kStart + 45'000)->timeMs, kStart + 40'000);
  EXPECT_FALSE(reader.CycleAt(kStart - 1));
}

TEST(HistoryRecorder, WritesBesideTheCycleAndTellsAFaultOnTheCallersThread) {
  ScratchDir dir;
  std::vector<std::thread::id> toldOn;
  FaultyVfs& vfs = FaultyVfs::Install();
  HistoryRecorderOptions options;
  options.vfs = kFaultyVfsName;
  {
    HistoryRecorder recorder(
        dir.Path(), [&](const std::string&, bool) { toldOn.push_back(std::this_thread::get_id()); },
        options);
    recorder.Record(Cycle(0), Config("Kiln"), kNow);
    recorder.Flush();  // the switch below is the whole process's
    vfs.failWrites = SQLITE_FULL;
    recorder.Record(Cycle(1), Config("Kiln"), kNow);
    recorder.Flush();
    ASSERT_EQ(toldOn.size(), 1u);
    vfs.failWrites = 0;
    recorder.Record(Cycle(2), Config("Kiln"), kNow);
    recorder.Record(Cycle(3), Config("Kiln"), kNow);  // written before the recorder goes
  }
  ASSERT_EQ(toldOn.size(), 2u);  // the fault's end was told with the next row
  EXPECT_EQ(toldOn[0], std::this_thread::get_id());
  EXPECT_EQ(toldOn[1], std::this_thread::get_id());
  const auto all = ReadAll(dir);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[2].timeMs, Cycle(3).timeMs);
}

}  // namespace
}  // namespace kavro::test
