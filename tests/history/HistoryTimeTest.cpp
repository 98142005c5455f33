#include <gtest/gtest.h>

#include "history/HistorySpanChoice.h"
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

TEST(HistorySpanChoice, DefaultsToTheWholeHistoryAndRefusesABackwardOrUnreadableSpan) {
  const std::int64_t now = HistoryMs(DateTime{2026, 12, 5, 12, 0, 0});
  const std::pair<std::int64_t, std::int64_t> recorded = {now - 86'400'000, now + 60'000};
  const auto whole = ChooseHistorySpan({}, {}, now, recorded);
  EXPECT_EQ(whole.error, "");
  EXPECT_EQ(whole.from, recorded.first);
  EXPECT_EQ(whole.to, recorded.second);  // a controller clock ahead of this machine's
  EXPECT_EQ(ChooseHistorySpan(std::string("-8h"), std::string("now"), now, recorded).from,
            now - 8 * 3'600'000LL);
  EXPECT_EQ(ChooseHistorySpan(std::string("now"), std::string("-1d"), now, {}).error,
            "--from 2026-12-05 12:00:00 is after --to 2026-12-04 12:00:00");
  EXPECT_EQ(ChooseHistorySpan({}, std::string("noon"), now, {}).error,
            "--to: not a time: \"noon\" (YYYY-MM-DD HH:MM, now, -30m, -8h, -7d)");
  EXPECT_EQ(ChooseHistorySpan({}, {}, now, {}).error, "");  // nothing recorded: an empty span
}

TEST(RetentionSetting, IsKeptInTheWorkingFolderAndABadOneFallsBackToTheDefault) {
  EXPECT_EQ(ParseRetentionDays("30"), 30);
  for (const char* bad : {"0", "-1", "36501", "ten", "30 ", ""}) {
    EXPECT_EQ(ParseRetentionDays(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace kavro::test
