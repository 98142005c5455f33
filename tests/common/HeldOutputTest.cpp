#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "common/HeldOutput.h"

namespace kavro::test {
namespace {

// Output waits for the verdict: nothing reaches the target before it, everything (in order)
// after a pass, nothing after a fail, and a failed verdict is not a failed stream.
TEST(HeldOutputTest, ShowsNothingBeforeAPassAndNothingAfterAFail) {
  std::ostringstream target;
  Verdict verdict;
  HeldOutput held(target, verdict);
  std::atomic<bool> returned = false;
  std::thread writer([&] {
    std::ostream out(&held);
    out << "row " << 1 << '\n';
    out.put('x').flush();
    returned = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(returned);  // the write waits...
  EXPECT_EQ(target.str(), "");  // ...and shows nothing meanwhile
  verdict.Give(true);
  writer.join();
  EXPECT_EQ(target.str(), "row 1\nx");

  std::ostringstream dropped;
  Verdict failed;
  failed.Give(false);
  failed.Give(true);  // the first answer stays
  HeldOutput heldBack(dropped, failed);
  std::ostream out(&heldBack);
  out << "Cycle 2: overflow" << std::endl;
  EXPECT_TRUE(out.good());
  EXPECT_EQ(dropped.str(), "");
}

}  // namespace
}  // namespace kavro::test
