// The span of the plant history the trend reads: it opens on the last hour, reads each pixel
// column's extremes and the cycle at a time, and labels its axis with clock times and dates.
#include <gtest/gtest.h>

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

TEST(HistoryTrend, OpensOnTheLastHourWithEachColumnsExtremes) {
  ScratchDir dir;
  HistoryTrend trend;
  trend.SetWorkDir(dir.Path());
  EXPECT_FALSE(trend.Refresh(kLast));  // nothing recorded yet
  FillThreeHours(dir);

  trend.SetColumns(60);
  ASSERT_TRUE(trend.Refresh(kLast + 10'000));  // found at the next refresh
  EXPECT_TRUE(trend.Live());
  EXPECT_EQ(trend.SpanMs(), kHourMs);
  EXPECT_EQ(trend.Start(), kStart + 2 * kHourMs);
  const auto& kiln = trend.ExtremesOf(1);
  ASSERT_EQ(kiln.size(), 60u);
  EXPECT_TRUE(kiln[0].any);
  EXPECT_EQ(kiln[0].min, 1300);
  EXPECT_EQ(kiln[0].max, 1305);
  EXPECT_EQ(trend.ExtremesOf(NumIn + 1)[59].max, 5);
  EXPECT_EQ(trend.ColumnOf(trend.Start() + kMinuteMs), 1);
  EXPECT_EQ(trend.ColumnOf(trend.End() + kHourMs), 59);

  trend.ScrollTo(kStart - kHourMs, kLast);  // before the first cycle: nothing to read
  trend.Refresh(kLast);
  EXPECT_FALSE(trend.ExtremesOf(1)[0].any);
  EXPECT_FALSE(trend.CycleAt(kStart - 1));
  EXPECT_EQ(trend.CycleAt(kStart + 15'000)->in[1].pv, 1301);
}

TEST(HistoryTrend, TheAxisShowsRoundClockTimesAndTheDateWhereTheDayChanges) {
  ScratchDir dir;
  FillThreeHours(dir);
  HistoryTrend trend;
  trend.SetWorkDir(dir.Path());
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

}  // namespace
}  // namespace kavro::test
