#include <gtest/gtest.h>

#include "common/DateText.h"
#include "common/TimeOfDay.h"

namespace kavro {
namespace {

TEST(TimeOfDay, ElapsedSecondsCountAcrossMidnight) {
  EXPECT_DOUBLE_EQ(SecondsBetween(10.0, 70.0), 60.0);
  EXPECT_DOUBLE_EQ(SecondsBetween(86399.5, 0.5), 1.0);  // midnight passed
  EXPECT_DOUBLE_EQ(SecondsBetween(3600.0, 3600.0), 0.0);
  EXPECT_DOUBLE_EQ(SecondsBetween(80000.0, 1000.0), 7400.0);
}

TEST(TimeOfDay, CalendarKnowsTheLeapYearsAndTheMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_TRUE(IsLeapYear(2000));   // a century that 400 divides
  EXPECT_FALSE(IsLeapYear(1900));  // a century it does not
  EXPECT_FALSE(IsLeapYear(2026));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2026, 1), 31);
  EXPECT_EQ(DaysInMonth(2026, 4), 30);
  EXPECT_EQ(DaysInMonth(2026, 12), 31);
}

}  // namespace
}  // namespace kavro
