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

// A clock that stands still would keep the wait going for ever, and without a window (the
// replay) there is nothing to wait for: both return at once.
TEST(WaitSeconds, ReturnsAtOnceWithoutARunningClockOrAWindow) {
  FakeWorld noWindow;
  noWindow.controller.ports.events = &NoEventPump();
  WaitSeconds(noWindow.controller.ports, 2.0f);
  EXPECT_EQ(noWindow.clock.seconds, 12 * 3600.0);

  FakeWorld noClock;
  noClock.controller.ports.clock = &NoClock();
  WaitSeconds(noClock.controller.ports, 2.0f);
  EXPECT_EQ(noClock.events.processEventsCalls, 0);
  EXPECT_EQ(noClock.events.sleptMilliseconds, 0);

  Ports defaults;
  WaitSeconds(defaults, 2.0f);  // returns: the test would hang otherwise
}

}  // namespace
}  // namespace kavro::test
