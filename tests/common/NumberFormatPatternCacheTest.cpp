// FormatNumber keeps the shapes of the patterns it has read; these tests make sure a kept shape
// is only used for the very same pattern text.
#include <gtest/gtest.h>

#include <string>

#include "common/KavroError.h"
#include "common/NumberText.h"

namespace kavro {
namespace {

TEST(FormatNumberPatternCache, PatternInReusedBufferIsReadByItsText) {
  // One buffer, so every call sees the same address with a different text.
  std::string pattern = "##0.00";
  EXPECT_EQ(FormatNumber(2.5, pattern), "2.50");
  pattern.assign("##0.0");
  EXPECT_EQ(FormatNumber(2.5, pattern), "2.5");
  pattern.assign("000.0");  // same length as "##0.0"
  EXPECT_EQ(FormatNumber(2.5, pattern), "002.5");
  pattern.assign("##0.00");
  EXPECT_EQ(FormatNumber(2.5, pattern), "2.50");
}

TEST(FormatNumberPatternCache, BadLongAndEmptyPatternsBehaveAsWithoutCache) {
  EXPECT_EQ(FormatNumber(1.25, "#0.00"), "1.25");
  try {
    (void)FormatNumber(1.25, "#0.0x");  // a kept "#0.00" must not stand in for it
    FAIL() << "no error for a bad pattern";
  } catch (const KavroError& error) {
    EXPECT_EQ(error.Number(), errors::kInvalidCall);
  }
  EXPECT_THROW((void)FormatNumber(1.25, "#0.0x"), KavroError);  // still refused when asked again
  const std::string longPattern = "#################0.000000";  // longer than any kept pattern
  EXPECT_EQ(FormatNumber(-12.5, longPattern), "-12.500000");
  EXPECT_EQ(FormatNumber(-12.5, longPattern), "-12.500000");
  EXPECT_EQ(FormatNumber(3.0, ""), FormatNumber(3.0, "#"));
}

}  // namespace
}  // namespace kavro
