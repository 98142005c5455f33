#include "common/BatchThreads.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace kavro::test {
namespace {

struct Numbers {
  std::vector<int> values;
};

// Every batch is worked once, in the order handed, whether the work keeps up or lags; a batch
// that comes back to the maker is never one still waiting; Finish returns when all is done.
TEST(BatchThreadsTest, BatchesAreWorkedInOrderAndComeBackDone) {
  for (const bool slowWork : {false, true}) {
    std::vector<int> seen;  // only the thread touches it until Finish
    HandOffThread<Numbers> thread(
        [&](Numbers& batch) {
          if (slowWork) std::this_thread::sleep_for(std::chrono::microseconds(200));
          seen.insert(seen.end(), batch.values.begin(), batch.values.end());
          batch.values.clear();
        },
        3);
    Numbers batch;
    int next = 0;
    for (int handed = 0; handed < 200; ++handed) {
      for (int k = 0; k < 5; ++k) batch.values.push_back(next++);
      thread.Hand(batch);
      // Back: a fresh batch or one the work is done with, never one still waiting.
      ASSERT_TRUE(batch.values.empty()) << handed;
    }
    thread.Finish();
    ASSERT_EQ(seen.size(), 1000u) << slowWork;
    for (int k = 0; k < 1000; ++k) ASSERT_EQ(seen[static_cast<size_t>(k)], k) << slowWork;
  }
}

// Batches read ahead arrive in order; what the filling throws arrives after the batches filled
// before it; a taker that stops early does not leave the filler waiting for ever.
TEST(BatchThreadsTest, BatchesReadAheadArriveInOrderThenTheFailure) {
  int filled = 0;
  ReadAheadThread<Numbers> reading(
      [&](Numbers& batch) {
        batch.values.assign({filled, filled + 1});
        filled += 2;
        if (filled > 200) throw std::runtime_error("row 202 is bad");
        return true;
      },
      2);
  Numbers batch;
  int expected = 0;
  try {
    while (reading.Next(batch)) {
      ASSERT_EQ(batch.values, (std::vector<int>{expected, expected + 1}));
      expected += 2;
    }
    ADD_FAILURE() << "the failure never came";
  } catch (const std::runtime_error& failure) {
    EXPECT_STREQ(failure.what(), "row 202 is bad");
  }
  EXPECT_EQ(expected, 200);
  EXPECT_FALSE(reading.Next(batch));  // said once

  ReadAheadThread<Numbers> endless([](Numbers& batch) {
    batch.values.assign(1, 7);
    return true;
  });
  ASSERT_TRUE(endless.Next(batch));
  // Leaving the scope must stop the filler, which is waiting for room.
}

}  // namespace
}  // namespace kavro::test
