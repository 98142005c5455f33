#include <gtest/gtest.h>

#include "common/CsvText.h"

namespace kavro::test {
namespace {

TEST(CsvText, QuotesCommasQuotesAndLineBreaksOnlyAndKeepsSpaces) {
  EXPECT_EQ(CsvField("FUEL FLOW"), "FUEL FLOW");
  EXPECT_EQ(CsvField(" padded "), " padded ");
  EXPECT_EQ(CsvField(""), "");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(CsvField("cr\rhere"), "\"cr\rhere\"");

  std::string line = "Time";
  AppendCsvField(line, "");
  AppendCsvField(line, "x,y");
  EXPECT_EQ(line, "Time,,\"x,y\"");
}

}  // namespace
}  // namespace kavro::test
