// ToNumber reads plain decimals itself; these tests hold it to std::from_chars, bit for bit.
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <string>

#include "common/KavroError.h"
#include "common/NumberText.h"

namespace kavro {
namespace {

double FromChars(const std::string& text) {
  const bool negative = text.front() == '-';
  const char* first = text.data() + (negative ? 1 : 0);
  double value = 0;
  std::from_chars(first, text.data() + text.size(), value);
  return negative ? -value : value;
}

TEST(NumberParsePaths, PlainDecimalsReadAsFromCharsReadsThem) {
  std::mt19937_64 random(7);
  int mismatches = 0;
  for (int n = 0; n < 200000 && mismatches < 10; ++n) {
    // Up to 17 digits (beyond 15 the general path reads them), the point anywhere or nowhere.
    const int digits = 1 + static_cast<int>(random() % 17);
    std::string text = random() % 4 == 0 ? "-" : "";
    const int point = static_cast<int>(random() % static_cast<unsigned>(digits + 2)) - 1;
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    const double read = ToNumber(text);
    const double expected = FromChars(text);
    const float single = ToSingle(text);  // read and narrowed in one pass
    const float narrowed = SingleOfNumber(expected);
    if (std::memcmp(&read, &expected, sizeof read) != 0 ||
        std::memcmp(&single, &narrowed, sizeof single) != 0) {
      ADD_FAILURE() << text << " reads " << read << " / " << single << ", from_chars " << expected;
      ++mismatches;
    }
  }
  // Cells as the grid writes them, ties of the division and signed zero.
  for (const std::string text : {"1395.000", "0.1", "0.3", "-2.800", "999999999999999", "-0.000",
                                 ".5", "5.", "0.000000000000001", "9007199254740993"}) {
    const double read = ToNumber(text);
    const double expected = FromChars(text);
    EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << text;
  }
  // Signs, blanks and a lone point: read or refused as the grammar says, never taken as 0.
  EXPECT_EQ(ToNumber("+.5"), 0.5);
  EXPECT_EQ(ToNumber(" -12.5\t"), -12.5);
  EXPECT_EQ(ToNumber("+7"), 7.0);
  for (const char* bad :
       {"",   " ",   "-",    "+",    ".",     "-.",    "+-1",   "--1",    "1.2.3", "1-",
        "1e", "1 2", "0x10", "1.5.", "1.2a4", "1.23a", "1.a23", "-1.00x", "1.0 0", "1.000-"}) {
    for (const bool single : {false, true}) {
      try {
        single ? ToSingle(bad) : ToNumber(bad);
        ADD_FAILURE() << "\"" << bad << "\" was read";
      } catch (const KavroError& error) {
        EXPECT_EQ(error.Number(), errors::kTypeMismatch) << bad;
      }
    }
  }
}

}  // namespace
}  // namespace kavro
