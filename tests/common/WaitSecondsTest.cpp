#include <gtest/gtest.h>

#include "common/WaitSeconds.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

TEST(WaitSeconds, WaitsTheGivenTimeWhileLettingWindowEventsRun) {
  for (const float seconds : {1.0f, 2.5f, 0.02f}) {
    SCOPED_TRACE(seconds);
    FakeWorld w;
    WaitSeconds(w.controller.ports, seconds);
    const double wanted = seconds * 1000.0;
    EXPECT_GE(static_cast<double>(w.events.sleptMilliseconds), wanted - 0.5);
    EXPECT_LE(static_cast<double>(w.events.sleptMilliseconds), wanted + 1.0);
    // Events keep running: at least every 50 ms.
    EXPECT_GE(w.events.processEventsCalls, static_cast<int>(wanted / 50.0));
  }
}

TEST(WaitSeconds, CrossesMidnightAndReturnsAtOnceForNegativeOrZeroWaits) {
  FakeWorld w;
  w.clock.seconds = 86399.5;
  WaitSeconds(w.controller.ports, 1.0f);
  EXPECT_EQ(w.events.sleptMilliseconds, 1000);
  EXPECT_NEAR(w.clock.seconds, 0.5, 1e-6);

  FakeWorld negative;
  WaitSeconds(negative.controller.ports, -1.0f);
  EXPECT_EQ(negative.events.processEventsCalls, 0);
  EXPECT_EQ(negative.events.sleptMilliseconds, 0);

  FakeWorld zero;
  WaitSeconds(zero.controller.ports, 0.0f);
  EXPECT_EQ(zero.events.processEventsCalls, 1);
  EXPECT_EQ(zero.events.sleptMilliseconds, 0);
}

}  // namespace
}  // namespace kavro::test
