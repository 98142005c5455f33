#include <gtest/gtest.h>

#include "common/DateText.h"

namespace kavro {
namespace {

DateTime At(int year, int month, int day, int hour, int minute, int second) {
  return DateTime{year, month, day, hour, minute, second};
}

TEST(FormatDateTime, EveryPatternOfTheLinkFilesAndReports) {
  const DateTime when = At(2026, 3, 7, 9, 5, 4);
  EXPECT_EQ(FormatDateTime(when, "mmm-dd-yyyy hh:mm:ss"), "Mar-07-2026 09:05:04");
  EXPECT_EQ(FormatDateTime(when, "dd-mmm-yyyy hh:mm:ss"), "07-Mar-2026 09:05:04");
  EXPECT_EQ(FormatDateTime(when, "yyyy-mmm-dd hh:mm:ss"), "2026-Mar-07 09:05:04");
  EXPECT_EQ(FormatDateTime(when, "yyyy/mm/dd"), "2026/03/07");  // mm is the month here
  EXPECT_EQ(FormatDateTime(when, "hh:mm:ss"), "09:05:04");      // and the minute here
  EXPECT_EQ(FormatDateTime(At(2025, 12, 31, 23, 59, 59), "dd-mmm-yyyy hh:mm:ss"),
            "31-Dec-2025 23:59:59");
  EXPECT_EQ(FormatDateTime(At(2026, 1, 1, 0, 0, 0), "mmm-dd-yyyy hh:mm:ss"),
            "Jan-01-2026 00:00:00");
  EXPECT_EQ(FormatDateTime(At(2026, 13, 1, 0, 0, 0), "mmm"), "13");  // never reads past the table
  EXPECT_EQ(FormatDateTime(At(987, -1, 1, 0, 0, 0), "yyyy/mm/dd"), "0987/-01/01");
}

TEST(SecondsSinceMidnight, CountsTheTimeOfDay) {
  EXPECT_EQ(SecondsSinceMidnight(At(2026, 5, 1, 0, 0, 0)), 0);
  EXPECT_EQ(SecondsSinceMidnight(At(2026, 5, 1, 10, 30, 15)), 37815);
  EXPECT_EQ(SecondsSinceMidnight(At(2026, 5, 1, 23, 59, 59)), 86399);
}

TEST(GeneralDate, ShortDateThenTwelveHourLongTime) {
  EXPECT_EQ(GeneralDate(At(2026, 12, 5, 18, 0, 0)), "12/5/2026 6:00:00 PM");
  EXPECT_EQ(GeneralDate(At(2026, 1, 9, 0, 0, 0)), "1/9/2026 12:00:00 AM");   // midnight
  EXPECT_EQ(GeneralDate(At(2026, 1, 9, 12, 0, 0)), "1/9/2026 12:00:00 PM");  // noon
  EXPECT_EQ(GeneralDate(At(2026, 1, 9, 0, 59, 7)), "1/9/2026 12:59:07 AM");
  EXPECT_EQ(GeneralDate(At(2026, 1, 9, 11, 59, 59)), "1/9/2026 11:59:59 AM");
  EXPECT_EQ(GeneralDate(At(2026, 1, 9, 13, 1, 2)), "1/9/2026 1:01:02 PM");
}

TEST(ParseDateLine, ReadsBackWhatGeneralDateWrites) {
  for (const DateTime& when : {At(2026, 12, 5, 18, 0, 0), At(2026, 1, 9, 0, 0, 0),
                               At(2024, 2, 29, 12, 0, 0), At(1999, 7, 31, 23, 59, 59)}) {
    const auto line = ParseDateLine(GeneralDate(when));
    ASSERT_TRUE(line.has_value()) << GeneralDate(when);
    EXPECT_TRUE(line->hasDate);
    EXPECT_TRUE(line->hasTime);
    EXPECT_EQ(line->value, when) << GeneralDate(when);
  }
}

TEST(ParseDateLine, AcceptsABareDateABareTimeAndBlanksAround) {
  const auto date = ParseDateLine("  3/7/2026\r\n");
  ASSERT_TRUE(date.has_value());
  EXPECT_TRUE(date->hasDate);
  EXPECT_FALSE(date->hasTime);
  EXPECT_EQ(date->value, At(2026, 3, 7, 0, 0, 0));

  const auto iso = ParseDateLine("2026-03-07 14:05");
  ASSERT_TRUE(iso.has_value());
  EXPECT_EQ(iso->value, At(2026, 3, 7, 14, 5, 0));

  const auto time = ParseDateLine("10:30");
  ASSERT_TRUE(time.has_value());
  EXPECT_FALSE(time->hasDate);
  EXPECT_TRUE(time->hasTime);
  EXPECT_EQ(time->value, At(2000, 1, 1, 10, 30, 0));  // the date keeps its defaults

  const auto seconds = ParseDateLine("10:30:15");
  ASSERT_TRUE(seconds.has_value());
  EXPECT_EQ(SecondsSinceMidnight(seconds->value), 37815);

  const auto evening = ParseDateLine("6:00:00 pm");
  ASSERT_TRUE(evening.has_value());
  EXPECT_EQ(evening->value.hour, 18);
  const auto midnight = ParseDateLine("12:00 AM");
  ASSERT_TRUE(midnight.has_value());
  EXPECT_EQ(midnight->value.hour, 0);
  const auto lastHour = ParseDateLine("23:59:59");
  ASSERT_TRUE(lastHour.has_value());
  EXPECT_EQ(lastHour->value.hour, 23);
}

TEST(ParseDateLine, RejectsLabelsAndImpossibleDatesAndTimes) {
  for (const char* text :
       {"", "   ", "FLCVersion: x", "Note: 1:2", "25:00", "24:00", "10:60", "10:30:60",
        "2/30/2026", "2/29/2025", "13/1/2026", "0/1/2026", "1/0/2026", "1/1/26", "1/1/20260",
        "2026-02-30", "13:00 PM", "0:30 AM", "10:3", "10:30:5", "10", "3/7/2026 x",
        "3/7/2026 10:30 extra", "3/7/202610:30", "10:30 3/7/2026", "6:00:00 XM", "1:2:3:4"}) {
    EXPECT_FALSE(ParseDateLine(text).has_value()) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace kavro
