#include <gtest/gtest.h>

#include "display/TrendExport.h"
#include "support/DisplayFixture.h"

namespace kavro {
namespace {

using TrendExportTest = test::DisplayFixture;

TEST_F(TrendExportTest, HeldHistoryIsWrittenAsCsvWithTimesAndDotDecimals) {
  c.model.PVarIn[1].PVarName = "FEED ";
  c.model.PVarIn[3].PVarName = "A,\"B\"";  // quoted as a spreadsheet expects
  c.model.PVarOut[2].PVarName = "FAN";
  const float feed[] = {1.5f, -2.25f, 100000000.0f};
  const float third[] = {0, 0.1f, 7};
  const float fan[] = {3, 4, 5};
  for (int j = 1; j <= 3; ++j) {
    c.model.PVarIn[1].History[j] = feed[j - 1];
    c.model.PVarIn[3].History[j] = third[j - 1];
    c.model.PVarOut[2].History[j] = fan[j - 1];
    c.model.HistoryTime[j] = DateTime{2026, 12, 5, 23, 59, 10 * j};
  }
  c.model.HistCount = 3;
  EXPECT_EQ(TrendCsvText(c.model),
            "Time,FEED,\"A,\"\"B\"\"\",FAN\r\n"
            "2026-12-05T23:59:10,1.5,0,3\r\n"
            "2026-12-05T23:59:20,-2.25,0.1,4\r\n"
            "2026-12-05T23:59:30,1E+08,7,5\r\n");
}

TEST_F(TrendExportTest, NoSamplesGiveTheHeaderOnly) {
  c.model.PVarOut[1].PVarName = "FUEL";
  EXPECT_EQ(TrendCsvText(c.model), "Time,FUEL\r\n");
  c.model.HistCount = -3;  // never read before the table
  EXPECT_EQ(TrendCsvText(c.model), "Time,FUEL\r\n");
}

}  // namespace
}  // namespace kavro
