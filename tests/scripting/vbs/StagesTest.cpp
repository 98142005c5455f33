// The interpreter's stages on their own, where a script case cannot look: the lines the scanner
// gives its tokens (errors are reported at them), the rounding and range rules of the
// conversions, and the date serials every date function stands on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/DateMath.h"
#include "scripting/vbs/Lexer.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro::vbs::test {
namespace {

int LineOf(const std::vector<Token>& tokens, const std::string& text) {
  const auto found =
      std::find_if(tokens.begin(), tokens.end(), [&](const Token& t) { return t.text == text; });
  return found == tokens.end() ? 0 : found->line;
}

int ErrorOf(std::string_view text, int* line) {
  try {
    Tokenize(text, 2026);
  } catch (const ScriptError& e) {
    *line = e.Line();
    return e.Number();
  }
  return 0;
}

TEST(Scanner, TokensKeepTheLineTheyStandOnThroughContinuationsCommentsAndColons) {
  const std::vector<Token> tokens = Tokenize(
      "alpha = 1 _\n  + beta : gamma = \"x\" ' note\nRem all of it\n\ndelta = #5/12#", 2026);
  EXPECT_EQ(LineOf(tokens, "alpha"), 1);
  EXPECT_EQ(LineOf(tokens, "beta"), 2) << "a continued statement counts its own lines";
  EXPECT_EQ(LineOf(tokens, "gamma"), 2);
  EXPECT_EQ(LineOf(tokens, "delta"), 5);
  EXPECT_EQ(LineOf(tokens, "note"), 0) << "comments are no tokens";
  EXPECT_EQ(LineOf(tokens, "all"), 0);
  const auto date = std::find_if(tokens.begin(), tokens.end(), [](const Token& t) {
    return t.kind == Tok::Literal && t.value.Type() == VarType::Date;
  });
  ASSERT_NE(date, tokens.end());
  EXPECT_EQ(PartsFromSerial(date->value.DoubleValue()).year, 2026) << "a date without a year";
  // A statement split by ':' ends there, as at a line end.
  EXPECT_GE(std::count_if(tokens.begin(), tokens.end(),
                          [](const Token& t) { return t.kind == Tok::EndOfStatement; }),
            3);

  int line = 0;
  EXPECT_EQ(ErrorOf("a = 1\nb = \"open", &line), 1033);
  EXPECT_EQ(line, 2);
  EXPECT_EQ(ErrorOf("a = 1\n\nb = 2 $ 3", &line), 1032);
  EXPECT_EQ(line, 3);
}

TEST(Conversions, HalvesRoundToEvenAndTheRangeIsCheckedAfterRounding) {
  EXPECT_EQ(RoundToInteger(2.5), 2);
  EXPECT_EQ(RoundToInteger(3.5), 4);
  EXPECT_EQ(RoundToInteger(-2.5), -2);
  EXPECT_EQ(RoundToInteger(32767.4), 32767);
  EXPECT_EQ(RoundToInteger(-32768.5), -32768);  // even, inside the range
  for (const double over : {32767.5, -32769.0, 1e10}) {
    try {
      RoundToInteger(over);
      ADD_FAILURE() << over << " fits an Integer";
    } catch (const ScriptError& e) {
      EXPECT_EQ(e.Number(), err::Overflow) << over;
    }
  }
  EXPECT_EQ(RoundToLong(2147483646.5), 2147483646);
  EXPECT_THROW(RoundToLong(2147483647.5), ScriptError);
  // A decimal text that ends in 5 is a half, whatever its binary form.
  EXPECT_DOUBLE_EQ(RoundDecimal(2.675, 2), 2.68);
  EXPECT_DOUBLE_EQ(RoundDecimal(0.125, 2), 0.12);

  EXPECT_EQ(ParseNumber(" 12.5 "), 12.5);
  EXPECT_EQ(ParseNumber("-1e3"), -1000.0);
  EXPECT_EQ(ParseNumber("&HFF"), 255.0);
  EXPECT_EQ(ParseNumber("&O17"), 15.0);
  for (const char* text : {"", "1,5", "12abc", "e5", "--1"}) {
    EXPECT_EQ(ParseNumber(text), std::nullopt) << text;
  }
}

TEST(DateMath, SerialsCountDaysFromTheLastDayOf1899AndRoundTrip) {
  EXPECT_EQ(SerialFromDate(1899, 12, 30), 0.0);
  EXPECT_EQ(SerialFromDate(1900, 3, 1), 61.0);
  EXPECT_EQ(SerialFromDate(2000, 2, 29) + 1, SerialFromDate(2000, 3, 1));  // a leap day
  EXPECT_EQ(SerialFromDate(1900, 2, 28) + 1, SerialFromDate(1900, 3, 1));  // no leap day
  for (const double serial : {-600000.0, -1.25, 0.0, 36526.5, 46000.999}) {
    const DateParts parts = PartsFromSerial(serial);
    const double back = CombineDateTime(SerialFromDate(parts.year, parts.month, parts.day),
                                        SerialFromTime(parts.hour, parts.minute, parts.second));
    EXPECT_NEAR(back, serial, 1.0 / 86400) << serial;
  }
  // Before the start the day counts back but the time of day still runs forward.
  const DateParts before = PartsFromSerial(-1.25);
  EXPECT_EQ(before.day, 29);
  EXPECT_EQ(before.hour, 6);
  EXPECT_EQ(ExpandYear(29), 2029);
  EXPECT_EQ(ExpandYear(30), 1930);
  EXPECT_EQ(ExpandYear(1999), 1999);
}

}  // namespace
}  // namespace kavro::vbs::test
