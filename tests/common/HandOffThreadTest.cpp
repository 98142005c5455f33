#include "common/HandOffThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace kavro::test {
namespace {

struct Numbers {
  std::vector<int> values;
};

// Every batch is worked once, in the order handed, whether the work keeps up or lags; a batch
// that comes back to the maker is never one still waiting; Finish returns when all is done.
TEST(HandOffThreadTest, BatchesAreWorkedInOrderAndComeBackDone) {
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

}  // namespace
}  // namespace kavro::test
