// The shift report's figures and the CSV export over a hand-made history with known answers.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "history/HistoryExport.h"
#include "history/HistoryReport.h"
#include "history/HistoryTime.h"
#include "history/HistoryWriter.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

const DateTime kNow{2026, 12, 5, 12, 0, 0};
const std::int64_t kStart = HistoryMs(kNow);

ConfigRevision Kiln() {
  ConfigRevision config;
  config.controllerName = "FLC1";
  config.runFrequency = 10;
  config.in[1] = {"Burning zone", "degC", 1200, 1500};
  config.out[1] = {"Fuel", "t/h", 0, 10};
  return config;
}

// Ten cycles 10 s apart: read errors in 2 and 3, a write error in 5, a cycle error in 7, To
// File in 9; the burning zone inside 1250..1400 up to cycle 6 (1400 exactly there); fuel at its
// high limit in 0 and 1, sent in 0, 2 and 4, increases blocked in 3 to 5.
CycleRecord KilnCycle(int k) {
  CycleRecord r;
  r.timeMs = kStart + k * 10'000;
  r.linkOn = true;
  r.toFile = k == 9;
  r.errorCode = k == 2 || k == 3 ? 1 : k == 5 ? 2 : 0;
  if (k == 7) {
    r.errorStep = 4;
    r.errorNumber = 13;
  }
  r.in[1] = {k < 6 ? 1300.0 : k == 6 ? 1400.0 : 1450.0, 1400, 1250};
  r.out[1].pv = k < 2 ? 10 : 5;
  r.out[1].high = 10;
  r.out[1].low = 0;
  r.out[1].value = 0.5;
  if (k == 0 || k == 2 || k == 4) r.out[1].sent = 5.5;
  r.out[1].clampIncrease = k >= 3 && k <= 5;
  return r;
}

void WriteKiln(const ScratchDir& dir, int cycles) {
  HistoryWriter writer(dir.Path(), [](const std::string&, bool) {});
  for (int k = 0; k < cycles; ++k) writer.Record(KilnCycle(k), Kiln(), kNow);
}

TEST(HistoryReport, FiguresOfAHandMadeShift) {
  ScratchDir dir;
  WriteKiln(dir, 10);
  HistoryReader reader(dir.Path());
  const HistoryReport report = MakeHistoryReport(reader, kStart, kStart + 100'000);
  EXPECT_EQ(HistoryReportText(report),
            "Plant history of FLC1 from 2026-12-05 12:00:00 to 2026-12-05 12:01:40\n"
            "Cycles: 10 (1 min 40 s)\n"
            "Service factor: 50.0 %\n"
            "Inputs inside their targets:\n"
            "  Burning zone: 70.0 %\n"
            "Outputs:\n"
            "  Fuel: at limits 20.0 %, 108.0 moves per hour, clamped 30 s (30.0 %)\n"
            "Cycle errors:\n"
            "  step 4, error 13: 1 time, 1 cycle\n"
            "Link faults:\n"
            "  read error (code 1): 1 time, 2 cycles\n"
            "  write error (code 2): 1 time, 1 cycle\n");
  const auto json = nlohmann::json::parse(HistoryReportJson(report));
  EXPECT_DOUBLE_EQ(json["service_factor"].get<double>(), 0.5);
  EXPECT_DOUBLE_EQ(json["outputs"][0]["clamped_seconds"].get<double>(), 30);
  EXPECT_EQ(json["link_faults"][0]["cycles"], 2);

  // A span that starts inside: only its own cycles count.
  const HistoryReport tail = MakeHistoryReport(reader, kStart + 60'000, kStart + 100'000);
  EXPECT_EQ(tail.cycles, 4);
  EXPECT_DOUBLE_EQ(tail.inputs[0].inTargetsShare, 0.25);
  EXPECT_TRUE(tail.linkFaults.empty());
}

TEST(HistoryReport, ATimeTheControllerDidNotRunCountsNowhere) {
  ScratchDir dir;
  WriteKiln(dir, 2);
  {
    HistoryWriter writer(dir.Path(), [](const std::string&, bool) {});
    CycleRecord later = KilnCycle(0);
    later.timeMs = kStart + 3'600'000;  // an hour later
    writer.Record(later, Kiln(), kNow);
  }
  HistoryReader reader(dir.Path());
  const HistoryReport report = MakeHistoryReport(reader, kStart, kStart + 4'000'000);
  // 10 s, then at most two run periods for the gap, then one run period.
  EXPECT_DOUBLE_EQ(report.seconds, 40);
  EXPECT_DOUBLE_EQ(report.outputs[0].atLimitsShare, 1.0);
}

TEST(HistoryExport, OneRowPerCycleOrTheAveragesOfEachInterval) {
  ScratchDir dir;
  WriteKiln(dir, 10);
  HistoryReader reader(dir.Path());
  std::ostringstream rows;
  EXPECT_EQ(ExportHistoryCsv(reader, kStart, kStart + 100'000, 0, rows), 10);
  std::istringstream lines(rows.str());
  std::string header, first, second;
  std::getline(lines, header);
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_EQ(header,
            "time,Burning zone,Burning zone high,Burning zone low,Fuel,Fuel high,Fuel low,"
            "Fuel new value,Fuel sent,Fuel increases blocked,Fuel decreases blocked,"
            "Fuel script adjust,error code,link on,to file,cycle error step,cycle error number\r");
  EXPECT_EQ(first, "2026-12-05 12:00:00,1300,1400,1250,10,10,0,0.5,5.5,0,0,0,0,1,0,0,0\r");
  EXPECT_EQ(second, "2026-12-05 12:00:10,1300,1400,1250,10,10,0,0.5,X,0,0,0,0,1,0,0,0\r");

  std::ostringstream averages;
  EXPECT_EQ(ExportHistoryCsv(reader, kStart, kStart + 100'000, 50, averages), 2);
  std::istringstream averageLines(averages.str());
  std::getline(averageLines, header);
  std::getline(averageLines, first);
  std::getline(averageLines, second);
  EXPECT_EQ(header.substr(0, 25), "time,cycles,Burning zone,");
  EXPECT_EQ(first.substr(0, 30), "2026-12-05 12:00:00,5,1300,140");
  // Sent in cycles 0, 2, 4: the average of what was sent; increases blocked 2 of 5 cycles.
  EXPECT_NE(first.find(",0.5,5.5,0.4,0,"), std::string::npos) << first;
  EXPECT_EQ(second.substr(0, 30), "2026-12-05 12:00:50,5,1410,140");
}

}  // namespace
}  // namespace kavro::test
