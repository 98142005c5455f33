#pragma once
// One control cycle against a plant simulator that runs `speed` times faster than real time:
// the cycle, then the rest of its period in the plant's time, then the period on the
// controller's fake clock. Timed from the cycle's start, so the link's own calls are part of the
// period rather than added to it, and plant and controller keep in step.
#include <chrono>
#include <thread>

#include "session/ControllerSession.h"
#include "support/FakePorts.h"

namespace kavro::test {

inline void CycleInPlantTime(ControllerSession& session, Controller& controller, FakeClock& clock,
                             double speed) {
  const auto started = std::chrono::steady_clock::now();
  session.RunCycle();
  const int period = controller.model.FLCBlock.RunFrequency;
  std::this_thread::sleep_until(
      started + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                    std::chrono::duration<double>(period / speed)));
  clock.Advance(period);
}

}  // namespace kavro::test
