#include <gtest/gtest.h>

#include <algorithm>

#include "engine/HistorySlopes.h"
#include "model/ControllerModel.h"

namespace kavro {
namespace {

TEST(HistoryTimeTest, SamplesAndTimesRollTogetherAndSpareSlotsStay) {
  ControllerModel model;
  ResetModel(model, "/tmp");
  ApplyDefaults(model);
  model.PVarIn[1].PVarName = "FEED";
  HistoryTable& history = model.PVarIn[1].History;
  history[0] = -1.0f;  // slots outside 1..200 are never shifted
  history[HistoryLength + 1] = -2.0f;
  history[HistoryLength + 2] = -3.0f;
  const auto at = [](int n) { return DateTime{2026, 12, 5, n / 3600, n / 60 % 60, n % 60}; };
  const auto slotHolds = [&](int slot, int n) {
    return history[static_cast<size_t>(slot)] == static_cast<float>(n) &&
           model.HistoryTime[static_cast<size_t>(slot)] == at(n);
  };
  // Several times round the table's store, checking every slot after each cycle.
  for (int n = 1; n <= 4 * HistoryLength + 7; ++n) {
    model.PVarIn[1].PVIN = static_cast<float>(n);
    UpdateHistoryAndSlopes(model, at(n));
    const int held = std::min(n, HistoryLength);
    for (int slot = 1; slot <= held; ++slot) {
      ASSERT_TRUE(slotHolds(slot, n - held + slot)) << "cycle " << n << " slot " << slot;
    }
    if (n < HistoryLength) {
      ASSERT_EQ(history[static_cast<size_t>(n + 1)], kEmptyHistory);
    }
    ASSERT_EQ(history[0], -1.0f);
    ASSERT_EQ(history[HistoryLength + 1], -2.0f);
    ASSERT_EQ(history[HistoryLength + 2], -3.0f);
  }
  EXPECT_EQ(model.HistCount, HistoryLength);
  // A copy of the model holds the same samples in the same slots.
  const ControllerModel copy = model;
  EXPECT_TRUE(
      std::equal(copy.PVarIn[1].History.begin(), copy.PVarIn[1].History.end(), history.begin()));
}

}  // namespace
}  // namespace kavro
