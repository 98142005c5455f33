// The trend over the plant history: it opens on the last hour after a restart, draws each pixel
// column's extremes, zooms, scrolls back and returns to live, labels its axis with clock times
// and reads the cycle under the cursor.
#include <gtest/gtest.h>

#include <sstream>

#include "display/HistoryTrend.h"
#include "history/HistoryTime.h"
#include "history/HistoryWriter.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

const std::int64_t kStart = HistoryMs(DateTime{2026, 12, 5, 21, 0, 0});
constexpr long kCycles = 3 * 360;  // three hours, 10 s apart, up to 23:59:50
const std::int64_t kLast = kStart + (kCycles - 1) * 10'000;

// The kiln's input 1 rises 1 a cycle within each minute (0..5); output 1 is steady at 5.
void FillThreeHours(const ScratchDir& dir) {
  ConfigRevision config;
  config.runFrequency = 10;
  config.in[1] = {"Kiln", "degC", 1200, 1500};
  config.out[1] = {"Fuel", "t/h", 0, 0};  // no zone range: scaled on its values
  HistoryWriter writer(dir.Path(), [](const std::string&, bool) {});
  writer.RecordMany(
      kCycles,
      [](long k) {
        CycleRecord row;
        row.timeMs = kStart + k * 10'000;
        row.in[1].pv = 1300 + static_cast<double>(k % 6);
        row.out[1].pv = 5;
        return row;
      },
      config);
}

TEST(HistoryTrend, OpensOnTheLastHourWithEachColumnsExtremesAndEachPensScale) {
  ScratchDir dir;
  HistoryTrend trend(dir.Path());
  EXPECT_FALSE(trend.Refresh(kLast));  // nothing recorded yet
  EXPECT_TRUE(trend.Pens().empty());
  FillThreeHours(dir);

  trend.SetColumns(60);
  ASSERT_TRUE(trend.Refresh(kLast + 10'000));
  EXPECT_TRUE(trend.Live());
  EXPECT_EQ(trend.SpanMs(), kHourMs);
  EXPECT_EQ(trend.Start(), kStart + 2 * kHourMs);
  ASSERT_EQ(trend.Pens().size(), 2u);
  const HistoryPen& kiln = trend.Pens()[0];
  EXPECT_EQ(kiln.name, "Kiln");
  EXPECT_EQ(kiln.pen, 1);
  EXPECT_EQ(kiln.scaleTop, "1500.000");  // its zone range
  EXPECT_EQ(kiln.scaleBottom, "1200.000");
  ASSERT_EQ(kiln.columns.size(), 60u);
  EXPECT_TRUE(kiln.columns[0].any);
  EXPECT_EQ(kiln.columns[0].min, 1300);
  EXPECT_EQ(kiln.columns[0].max, 1305);
  const HistoryPen& fuel = trend.Pens()[1];
  EXPECT_EQ(fuel.pen, NumIn + 1);
  EXPECT_EQ(fuel.scaleTop, "5.500");  // a flat trace in the middle of a band of 1
  EXPECT_EQ(fuel.scaleBottom, "4.500");
}

TEST(HistoryTrend, ZoomsScrollsBackAndReturnsToLive) {
  ScratchDir dir;
  FillThreeHours(dir);
  HistoryTrend trend(dir.Path());
  const std::int64_t now = kLast + 10'000;
  trend.ZoomPreset(2);  // 8 h
  EXPECT_EQ(trend.SpanMs(), 8 * kHourMs);
  trend.Refresh(now);
  trend.ScrollBy(-0.5);
  EXPECT_FALSE(trend.Live());
  EXPECT_EQ(trend.End(), now - 4 * kHourMs);
  trend.Refresh(now + kHourMs);  // time goes on, the span scrolled back stays
  EXPECT_EQ(trend.End(), now - 4 * kHourMs);
  trend.Zoom(0.5);  // around its middle
  EXPECT_EQ(trend.SpanMs(), 4 * kHourMs);
  EXPECT_EQ(trend.End(), now - 6 * kHourMs);
  trend.Zoom(1e-9);
  EXPECT_EQ(trend.SpanMs(), kMinuteMs);  // no shorter than a minute
  trend.ScrollTo(now + kDayMs);  // past now is live again
  trend.Refresh(now);
  EXPECT_TRUE(trend.Live());
  EXPECT_EQ(trend.End(), now);
  trend.ScrollBy(-1);
  trend.GoLive();
  trend.Refresh(now + 5);
  EXPECT_EQ(trend.End(), now + 5);
}

TEST(HistoryTrend, TheAxisShowsRoundClockTimesAndTheDateWhereTheDayChanges) {
  ScratchDir dir;
  FillThreeHours(dir);
  HistoryTrend trend(dir.Path());
  trend.SetColumns(600);
  trend.Refresh(kLast + 10'000 + 30 * kMinuteMs);  // 23:30 to 00:30
  const auto labels = trend.AxisLabels();
  ASSERT_EQ(labels.size(), 6u);  // every 10 minutes (100 pixels)
  EXPECT_EQ(labels[0].text, "23:30");
  EXPECT_EQ(labels[1].text, "23:40");
  EXPECT_EQ(labels[1].column, 100);
  EXPECT_EQ(labels[3].text, "Dec-06 00:00");
  EXPECT_EQ(labels[4].text, "00:10");
  trend.ZoomPreset(4);  // 7 days: a label a day
  EXPECT_EQ(trend.AxisLabels()[0].text.substr(0, 4), "Nov-");
}

TEST(HistoryTrend, TheCursorReadsTheCycleAtItsColumnAndTheExportTheSpanShown) {
  ScratchDir dir;
  FillThreeHours(dir);
  HistoryTrend trend(dir.Path());
  trend.SetColumns(360);  // 10 s a column: one cycle each
  trend.Refresh(kLast + 10'000);
  const auto reading = trend.CursorAt(3);
  ASSERT_TRUE(reading);
  EXPECT_EQ(reading->time, "2026-12-05 23:00:30");
  ASSERT_EQ(reading->values.size(), 2u);
  EXPECT_EQ(reading->values[0], std::make_pair(std::string("Kiln"), std::string("1303.000")));
  EXPECT_FALSE(trend.CursorAt(360));
  std::ostringstream csv;
  EXPECT_EQ(trend.ExportCsv(csv), 360);  // the last hour, not the three
  trend.ScrollTo(kStart - kHourMs);  // before the first cycle: nothing to read
  trend.Refresh(kLast);
  EXPECT_FALSE(trend.CursorAt(100));
  EXPECT_FALSE(trend.Pens()[0].columns[0].any);
}

}  // namespace
}  // namespace kavro::test
