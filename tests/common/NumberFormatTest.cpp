#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>

#include "common/KavroError.h"
#include "common/NumberText.h"

namespace kavro {
namespace {

TEST(FormatNumber, RequiredAndOptionalIntegerDigits) {
  EXPECT_EQ(FormatNumber(7, "#000"), "007");
  EXPECT_EQ(FormatNumber(7, "##00"), "07");
  EXPECT_EQ(FormatNumber(0, "##0"), "0");
  EXPECT_EQ(FormatNumber(0.4, "#0"), "0");
  EXPECT_EQ(FormatNumber(42, "##########0"), "42");
  // More digits than the pattern holds are all written.
  EXPECT_EQ(FormatNumber(123456, "##0"), "123456");
  EXPECT_EQ(FormatNumber(12345.0, "#000"), "12345");
  EXPECT_EQ(FormatNumber(98765432109.0, "######0"), "98765432109");
  EXPECT_EQ(FormatNumber(1e20, "##0"), "100000000000000000000");
}

TEST(FormatNumber, RequiredAndOptionalFractionDigits) {
  EXPECT_EQ(FormatNumber(12.5, "####0.000"), "12.500");
  EXPECT_EQ(FormatNumber(0.12345, "#0.0000"), "0.1235");
  EXPECT_EQ(FormatNumber(1.2345, "######0.000#"), "1.2345");
  EXPECT_EQ(FormatNumber(1.5, "######0.000#"), "1.500");
  EXPECT_EQ(FormatNumber(1.23456, "####0.000#"), "1.2346");
  EXPECT_EQ(FormatNumber(2, "##0.0##"), "2.0");
  EXPECT_EQ(FormatNumber(2.25, "##0.0##"), "2.25");
  EXPECT_EQ(FormatNumber(2.12349, "##0.0##"), "2.123");
  EXPECT_EQ(FormatNumber(3.1, "##0.00#"), "3.10");
  EXPECT_EQ(FormatNumber(3.1416, "##0.00#"), "3.142");
  EXPECT_EQ(FormatNumber(5.06, "####0.0##"), "5.06");
  EXPECT_EQ(FormatNumber(99.95, "##0.0"), "100.0");  // carry through every digit
  EXPECT_EQ(FormatNumber(99.995, "###0.00"), "100.00");
  EXPECT_EQ(FormatNumber(-12.3456, "###0.000"), "-12.346");
  EXPECT_EQ(FormatNumber(123456.789, "#####0.000"), "123456.789");
  EXPECT_EQ(FormatNumber(0.01, "##0.00"), "0.01");
}

TEST(FormatNumber, RoundsHalfAwayFromZeroOnTheFifteenDigitDecimal) {
  EXPECT_EQ(FormatNumber(0.125, "#0.00"), "0.13");
  EXPECT_EQ(FormatNumber(-0.125, "#0.00"), "-0.13");
  EXPECT_EQ(FormatNumber(2.5, "##0"), "3");
  EXPECT_EQ(FormatNumber(3.5, "##0"), "4");
  EXPECT_EQ(FormatNumber(-2.5, "##0"), "-3");
  EXPECT_EQ(FormatNumber(0.5, "#0"), "1");
  EXPECT_EQ(FormatNumber(0.005, "#0.00"), "0.01");   // first digit right after the last place
  EXPECT_EQ(FormatNumber(0.0049, "#0.00"), "0.00");
  EXPECT_EQ(FormatNumber(0.0004, "#0.00"), "0.00");  // every digit far beyond the last place
  // Binary 2.67499999999999982..., 1.00499999999999989...: the 15-digit decimal is the tie.
  EXPECT_EQ(FormatNumber(2.675, "##0.00"), "2.68");
  EXPECT_EQ(FormatNumber(1.005, "##0.00"), "1.01");
  EXPECT_EQ(FormatNumber(0.30000000000000004, "#0.0000"), "0.3000");
  // A widened single keeps its binary value: 1.0005f is 1.000499963...
  EXPECT_EQ(FormatNumber(static_cast<double>(1.0005f), "####0.000"), "1.000");
  EXPECT_EQ(FormatNumber(static_cast<double>(0.1f), "#0.0000"), "0.1000");
  EXPECT_EQ(FormatNumber(0.99995, "#0.0000"), "1.0000");
}

TEST(FormatNumber, NoMinusOnAValueThatRoundsToZero) {
  EXPECT_EQ(FormatNumber(-0.0001, "##0.00"), "0.00");
  EXPECT_EQ(FormatNumber(-0.0, "##0"), "0");
  EXPECT_EQ(FormatNumber(-0.4, "##0"), "0");
  EXPECT_EQ(FormatNumber(-0.005, "##0.00"), "-0.01");
  EXPECT_EQ(FormatNumber(-1e-300, "#0.0000"), "0.0000");
}

TEST(FormatNumber, ExtremeAndNonFiniteValuesGiveTextsThatAreNotNumbers) {
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "####0.000"), "NaN");
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "##0"), "Inf");
  EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), "##0"), "-Inf");
  EXPECT_FALSE(IsNumeric(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "##0")));
  const std::string largest = FormatNumber(DBL_MAX, "##0.00");
  EXPECT_EQ(largest.size(), 309u + 3u);
  EXPECT_EQ(largest.substr(0, 15), "179769313486232");
  EXPECT_EQ(FormatNumber(DBL_TRUE_MIN, "#0.0000"), "0.0000");
}

TEST(FormatNumber, PatternWithForeignCharactersIsRejected) {
  try {
    FormatNumber(1.0, "#,##0.00");
    FAIL() << "no error";
  } catch (const KavroError& error) {
    EXPECT_EQ(error.Number(), errors::kInvalidCall);
  }
}

TEST(GeneralNumber, ShortestFormWithSevenSignificantDigits) {
  EXPECT_EQ(GeneralNumber(12.5f), "12.5");
  EXPECT_EQ(GeneralNumber(0.1f), "0.1");
  EXPECT_EQ(GeneralNumber(100.0f), "100");
  EXPECT_EQ(GeneralNumber(-3.0f), "-3");
  EXPECT_EQ(GeneralNumber(0.0f), "0");
  EXPECT_EQ(GeneralNumber(-0.0f), "0");
  EXPECT_EQ(GeneralNumber(1234567.0f), "1234567");
  EXPECT_EQ(GeneralNumber(1.0f / 3.0f), "0.3333333");
  EXPECT_EQ(GeneralNumber(-2.0f / 3.0f), "-0.6666667");
  EXPECT_EQ(GeneralNumber(123.456f), "123.456");
  EXPECT_EQ(GeneralNumber(0.0001f), "0.0001");
  EXPECT_EQ(GeneralNumber(0.00012345f), "0.00012345");
}

TEST(GeneralNumber, ExponentFormBelowOneTenThousandthAndFromTenMillion) {
  EXPECT_EQ(GeneralNumber(12345678.0f), "1.234568E+07");
  EXPECT_EQ(GeneralNumber(1e7f), "1E+07");
  EXPECT_EQ(GeneralNumber(9999999.0f), "9999999");
  EXPECT_EQ(GeneralNumber(99999999.0f), "1E+08");  // exponent taken after rounding
  EXPECT_EQ(GeneralNumber(0.00001f), "1E-05");
  EXPECT_EQ(GeneralNumber(-1.5e-7f), "-1.5E-07");
  EXPECT_EQ(GeneralNumber(FLT_MAX), "3.402823E+38");
  EXPECT_EQ(GeneralNumber(std::numeric_limits<float>::infinity()), "Inf");
  EXPECT_EQ(GeneralNumber(std::numeric_limits<float>::quiet_NaN()), "NaN");
}

TEST(NumberTexts, IgnoreTheCLocale) {
  // The test program runs under a decimal-comma locale where one exists; force one here too.
  const char* chosen = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  if (chosen == nullptr) chosen = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
  EXPECT_EQ(FormatNumber(1234.5678, "####0.000"), "1234.568");
  EXPECT_EQ(GeneralNumber(12.5f), "12.5");
  EXPECT_EQ(GeneralNumber(1.5e-7f), "1.5E-07");
  EXPECT_DOUBLE_EQ(ToNumber("1.5"), 1.5);
  EXPECT_FALSE(IsNumeric("1,5"));
  EXPECT_DOUBLE_EQ(LeadingNumber("2,5"), 2.0);
  if (chosen == nullptr) GTEST_SKIP() << "no decimal-comma locale installed";
}

}  // namespace
}  // namespace kavro
