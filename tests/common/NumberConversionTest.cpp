#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "common/KavroError.h"
#include "common/NumberText.h"

namespace kavro {
namespace {

template <typename Call>
int ErrorNumberOf(Call call) {
  try {
    call();
  } catch (const KavroError& error) {
    return error.Number();
  }
  return 0;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(3.5), 4.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
  EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3.0);
  EXPECT_EQ(RoundHalfEven(2.4999999), 2.0);
  EXPECT_EQ(RoundHalfEven(-2.6), -3.0);
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);  // odd, beyond halves
  EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));
  EXPECT_EQ(RoundHalfEven(-std::numeric_limits<double>::infinity()),
            -std::numeric_limits<double>::infinity());
  // The same as rounding through the library's floor, to the sign of a zero result: halves,
  // their neighbours, negatives, the edges of 2^52 and 2^53.
  const auto throughFloor = [](double value) {
    const double below = std::floor(value);
    const double excess = value - below;
    if (excess < 0.5) return below;
    if (excess > 0.5) return below + 1.0;
    if (excess == 0.5) return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
    return value;
  };
  for (const double base : {0.0, 1.0, 2.0, 7.0, 1e6, 0x1p51, 0x1p52 - 1, 0x1p52, 0x1p53}) {
    for (const double offset : {0.0, 0.25, 0.5, 0.75, 1.5, 0.49999999999999994, -0.0}) {
      for (const double sign : {1.0, -1.0}) {
        for (const double value :
             {sign * (base + offset), std::nextafter(sign * (base + offset), 0.0),
              std::nextafter(sign * (base + offset), sign * 1e300)}) {
          SCOPED_TRACE(value);
          const double rounded = RoundHalfEven(value);
          EXPECT_EQ(rounded, throughFloor(value));
          EXPECT_EQ(std::signbit(rounded), std::signbit(throughFloor(value)));
        }
      }
    }
  }
}

TEST(ToInt16, RoundsHalvesToEvenWithinRange) {
  EXPECT_EQ(ToInt16(2.5), 2);
  EXPECT_EQ(ToInt16(-0.5), 0);
  EXPECT_EQ(ToInt16(-1.5), -2);
  EXPECT_EQ(ToInt16(32767.0), 32767);
  EXPECT_EQ(ToInt16(32767.49), 32767);
  EXPECT_EQ(ToInt16(-32768.0), -32768);
  EXPECT_EQ(ToInt16(-32768.5), -32768);  // the even neighbour is still in range
}

TEST(ToInt16, OverflowsBeyondEitherEndAndForNonFiniteValues) {
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(32767.5); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(32768.0); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(-32768.51); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(-32769.0); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(1e300); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(std::nan("")); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(std::numeric_limits<double>::infinity()); }),
            errors::kOverflow);
  try {
    ToInt16(40000);
  } catch (const KavroError& error) {
    EXPECT_EQ(error.Description(), "Overflow");
  }
}

TEST(IsNumeric, AcceptsSignsDecimalsExponentsAndBlanksAround) {
  for (const char* text : {"1", " 12 ", "\t-3\t", "+1", "-.5", "1.", ".5", "1e3", "1E+03", "2.5e-3",
                           "007", "0", "-0", "1234567890123456789012345"}) {
    EXPECT_TRUE(IsNumeric(text)) << '"' << text << '"';
  }
}

TEST(IsNumeric, RejectsTextsThatAreNotExactlyOneNumber) {
  for (const char* text :
       {"",   " ",   "\t",  ".",     "+",   "-",    "+-1", "1,5", "1e",    "1e+",
        "e3", "abc", "1 2", "1.2.3", "12a", "0x10", "nan", "inf", "1e3.5", "- 1"}) {
    EXPECT_FALSE(IsNumeric(text)) << '"' << text << '"';
  }
}

TEST(ToNumber, ReadsNumericTextsAndRejectsOthers) {
  EXPECT_DOUBLE_EQ(ToNumber(" -12.5 "), -12.5);
  EXPECT_DOUBLE_EQ(ToNumber("+.25"), 0.25);
  EXPECT_DOUBLE_EQ(ToNumber("1E+03"), 1000.0);
  EXPECT_DOUBLE_EQ(ToNumber("5."), 5.0);
  EXPECT_EQ(ToNumber("1e-400"), 0.0);  // too small for a double: zero, not an error
  EXPECT_EQ(ToNumber("0e999999999999999999999"), 0.0);
  EXPECT_EQ(ErrorNumberOf([] { ToNumber("1e400"); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToNumber("-1e99999999999999999999"); }), errors::kOverflow);
  // Exponents at the very ends of a long long, with more digits around the point.
  EXPECT_EQ(ErrorNumberOf([] { ToNumber("12E9223372036854775807"); }), errors::kOverflow);
  EXPECT_EQ(ToNumber("0.001E-9223372036854775808"), 0.0);
  EXPECT_EQ(ToNumber("0.05E-9223372036854775807"), 0.0);
  EXPECT_EQ(ErrorNumberOf([] { ToNumber("12 kg"); }), errors::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { ToNumber(""); }), errors::kTypeMismatch);
  try {
    ToNumber("x");
  } catch (const KavroError& error) {
    EXPECT_EQ(error.Description(), "Type mismatch");
  }
}

TEST(ToSingle, OverflowsBeyondTheSingleRange) {
  EXPECT_FLOAT_EQ(ToSingle("12.5"), 12.5f);
  EXPECT_EQ(ToSingle("3.402823E+38"), 3.402823e38f);
  EXPECT_EQ(ToSingle("3.4028235E+38"), FLT_MAX);  // rounds to the largest single
  EXPECT_EQ(ToSingle("-3.4028235E+38"), -FLT_MAX);
  EXPECT_EQ(ToSingle("1e-50"), 0.0f);
  EXPECT_EQ(ErrorNumberOf([] { ToSingle("3.5e38"); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToSingle("-1e39"); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToSingle("high"); }), errors::kTypeMismatch);
}

TEST(LeadingNumber, ReadsTheLongestNumericPrefix) {
  EXPECT_DOUBLE_EQ(LeadingNumber("12.5 kg"), 12.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("-3abc"), -3.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("  \t7"), 7.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("1e3x"), 1000.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("2e"), 2.0);  // an exponent without digits is not taken
  EXPECT_DOUBLE_EQ(LeadingNumber("2e+x"), 2.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("1.5.3"), 1.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("-.5%"), -0.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("1 2"), 1.0);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber(""), 0.0);
  EXPECT_EQ(LeadingNumber("-"), 0.0);
  EXPECT_EQ(LeadingNumber(".x"), 0.0);
  EXPECT_EQ(LeadingNumber("Not Used"), 0.0);
  EXPECT_EQ(LeadingNumber("1e999 kg"), 0.0);  // no usable number, and no error
}

TEST(NumberTexts, FormattedValuesReadBack) {
  for (const double value : {0.0, -0.0001, 0.4999, 12.5, -123.456, 99999.9994}) {
    const std::string text = FormatNumber(value, "####0.000");
    ASSERT_TRUE(IsNumeric(text)) << text;
    EXPECT_NEAR(ToNumber(text), value, 0.0005) << text;
  }
  for (const float value : {0.1f, 1.0f / 3.0f, -2.5e-6f, 12345678.0f, FLT_MAX, -FLT_MIN}) {
    const std::string text = GeneralNumber(value);
    ASSERT_TRUE(IsNumeric(text)) << text;
    EXPECT_NEAR(ToSingle(text), value, std::fabs(value) * 1e-6) << text;
  }
}

}  // namespace
}  // namespace kavro
