#pragma once
// A controller with fake ports whose store holds its start values and table defaults, as the
// window's commands find it after start-up.
#include <gtest/gtest.h>

#include "support/FakePorts.h"

namespace kavro::test {

struct DisplayFixture : ::testing::Test {
  DisplayFixture() {
    ResetModel(world.controller.model, "/tmp");
    ApplyDefaults(world.controller.model);
  }
  FakeWorld world;
  Controller& c = world.controller;
};

}  // namespace kavro::test
