#pragma once
// What "the loop closed" means for the demo kiln, whichever link carried it: the burning-zone
// temperature (one reading per cycle) started low, the fuel brought it up without a far
// overshoot, and the fuel read back from the plant is what the controller sent.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "model/ControllerModel.h"

namespace kavro::test {

inline void ExpectKilnLoopClosed(const std::vector<float>& temperature,
                                 const ControllerModel& m) {
  ASSERT_GE(temperature.size(), 21u);
  const float start = temperature[1];
  const float recent = std::accumulate(temperature.end() - 20, temperature.end(), 0.0f) / 20;
  EXPECT_LT(start, 1390.0f);
  EXPECT_GT(recent, 1395.0f) << "the fuel brought the temperature up";
  EXPECT_LT(recent, 1450.0f) << "and did not overshoot far";
  EXPECT_GT(m.PVarOut[1].PVIN, 8.2f) << "fuel, as read back from the plant";
}

}  // namespace kavro::test
