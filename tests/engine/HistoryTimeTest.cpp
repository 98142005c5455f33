#include <gtest/gtest.h>

#include "engine/HistorySlopes.h"
#include "model/ControllerModel.h"

namespace kavro {
namespace {

TEST(HistoryTimeTest, SampleTimesShiftWithTheHistory) {
  ControllerModel model;
  ResetModel(model, "/tmp");
  ApplyDefaults(model);
  model.PVarIn[1].PVarName = "FEED";
  const auto at = [](int n) { return DateTime{2026, 12, 5, n / 3600, n / 60 % 60, n % 60}; };
  for (int n = 1; n <= HistoryLength + 2; ++n) {
    model.PVarIn[1].PVIN = static_cast<float>(n);
    UpdateHistoryAndSlopes(model, at(n));
    if (n == 3) {
      EXPECT_EQ(model.HistoryTime[1], at(1));
      EXPECT_EQ(model.HistoryTime[3], at(3));
    }
  }
  // 202 samples taken, the last 200 held: the time of each stays beside its value.
  EXPECT_EQ(model.HistCount, HistoryLength);
  EXPECT_EQ(model.PVarIn[1].History[1], 3.0f);
  EXPECT_EQ(model.HistoryTime[1], at(3));
  EXPECT_EQ(model.PVarIn[1].History[HistoryLength], 202.0f);
  EXPECT_EQ(model.HistoryTime[HistoryLength], at(202));
}

}  // namespace
}  // namespace kavro
