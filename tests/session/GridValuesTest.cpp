// While the link is on, the main grid's value rows are written by the cycle step the session
// wires in, at step 4 of every cycle, minimised and held alike: the link-off cycle that follows
// reads those very texts back, so they must be there whether or not the window was drawn.
#include <gtest/gtest.h>

#include "common/NumberText.h"
#include "engine/ControlCycle.h"
#include "model/CycleHold.h"
#include "session/ControllerBuilder.h"
#include "support/EngineTestModel.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

TEST(GridValues, TheLinkOnCycleShowsTheValuesThatSwitchingTheLinkOffReadsBack) {
  FakeWorld world;
  ControllerParts parts = world.Parts();
  parts.session.withLink = false;  // the values are the model's, as a link read leaves them
  parts.session.eventsFile = false;
  parts.session.withScripts = false;
  parts.session.history = false;
  BuiltController run(world.controller, parts);
  Controller& c = run.controller();
  ControllerSession& session = run.session();
  OneRuleController(c);
  const auto tick = [&] { Timer1Tick(c, session.cycleSteps(), session.engineMemo()); };

  c.model.Link.LinkStatus = kOn;
  c.window.minimised = true;  // no status refresh draws the grid
  c.model.PVarIn[1].PVIN = 1234.5678f;
  c.model.PVarIn[1].PVHigh = 250.25f;
  c.model.PVarOut[1].PVLow = 7.1239f;
  tick();
  EXPECT_EQ(c.grid.Text(grid::kRowValue, grid::InputColumn(1)), "1234.568");
  EXPECT_EQ(c.grid.Text(grid::kRowHigh, grid::InputColumn(1)), "250.250");
  EXPECT_EQ(c.grid.Text(grid::kRowLow, grid::OutputColumn(1)), "7.124");

  c.window.minimised = false;
  {
    CycleHoldGuard hold(c.model);  // a command waits for the operator: no refresh either
    c.model.PVarIn[2].PVIN = 42.0f;
    tick();
  }
  EXPECT_EQ(c.grid.Text(grid::kRowValue, grid::InputColumn(2)), "42.000");

  // Switched off, the cycle takes the values from the texts the grid shows, not the model's.
  c.model.Link.LinkStatus = kOff;
  c.model.PVarIn[1].PVIN = 0;
  c.model.PVarIn[1].PVHigh = 0;
  c.model.PVarOut[1].PVLow = 0;
  tick();
  EXPECT_EQ(c.model.PVarIn[1].PVIN, ToSingle("1234.568"));
  EXPECT_EQ(c.model.PVarIn[1].PVHigh, ToSingle("250.250"));
  EXPECT_EQ(c.model.PVarOut[1].PVLow, ToSingle("7.124"));
  EXPECT_EQ(c.model.PVarIn[2].PVIN, 42.0f);
  EXPECT_EQ(c.grid.Text(grid::kRowValue, grid::InputColumn(1)), "1234.568");
}

}  // namespace
}  // namespace kavro::test
