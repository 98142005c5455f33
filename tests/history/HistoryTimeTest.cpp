#include <gtest/gtest.h>

#include "history/HistoryTime.h"
#include "history/RetentionSetting.h"

namespace kavro::test {
namespace {

TEST(HistoryTime, TakesClockTimesAndSpansBackFromNowAndNothingElse) {
  const std::int64_t now = HistoryMs(DateTime{2026, 12, 5, 12, 0, 0});
  EXPECT_EQ(HistoryTimeText(now), "2026-12-05 12:00:00");
  EXPECT_EQ(ParseHistoryTime("now", now), now);
  EXPECT_EQ(ParseHistoryTime("-30m", now), now - 1'800'000);
  EXPECT_EQ(ParseHistoryTime("-8h", now), now - 8 * 3'600'000LL);
  EXPECT_EQ(HistoryTimeText(*ParseHistoryTime("-7d", now)), "2026-11-28 12:00:00");
  EXPECT_EQ(HistoryTimeText(*ParseHistoryTime("2026-02-28 23:59", now)), "2026-02-28 23:59:00");
  EXPECT_EQ(HistoryTimeText(*ParseHistoryTime("2024-12-31 00:00:30", now)), "2024-12-31 00:00:30");
  for (const char* bad : {"", "yesterday", "-", "-5", "-5y", "--5m", "-5 m", "2026-02-30 10:00",
                          "2026-02-28", "2026-02-28 25:00", "12/5/2026 10:00", "2026-02-28 10:00x",
                          "-99999999999999999999d"}) {
    EXPECT_EQ(ParseHistoryTime(bad, now), std::nullopt) << bad;
  }
  // The clock's fraction of a second counts only when it belongs to the same second.
  EXPECT_EQ(HistoryMs(DateTime{2026, 12, 5, 12, 0, 0}, 43200.25), now + 250);
  EXPECT_EQ(HistoryMs(DateTime{2026, 12, 5, 12, 0, 0}, 43201.25), now);
}

TEST(RetentionSetting, IsKeptInTheWorkingFolderAndABadOneFallsBackToTheDefault) {
  EXPECT_EQ(ParseRetentionDays("30"), 30);
  for (const char* bad : {"0", "-1", "36501", "ten", "30 ", ""}) {
    EXPECT_EQ(ParseRetentionDays(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace kavro::test
