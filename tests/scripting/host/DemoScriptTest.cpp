// The demo's post-process script on the demo kiln: it holds the fuel while the kiln drive
// torque reads below its trip value and counts the cycles it held.
#include <gtest/gtest.h>

#include "HostTestWorld.h"
#include "common/NumberText.h"
#include "display/MenuTree.h"

namespace kavro::test {
namespace {

TEST(DemoScriptTest, HoldsTheFuelWhileTheTorqueIsBelowTheTripAndCountsTheCyclesHeld) {
  HostWorld w;
  w.Start("", DemoFile("FLC_Post.scp"));
  ASSERT_TRUE(w.world.op.messages.empty()) << w.world.op.messages.front().text;
  ASSERT_TRUE(w.host.Script(ScriptKind::Post).on);
  ASSERT_TRUE(w.controller.window.menus->mnuPostProcessExeChecked);

  MainGrid& grid = w.controller.grid;
  const PVarOutRecord& fuel = w.model.PVarOut[1];
  const ScriptStore& store = w.model.Store;
  const auto torqueReads = [&](const char* value) {
    grid.SetText(grid::kRowValue, grid::InputColumn(4), value);
  };
  // A burning zone too cold for the rules to leave the fuel alone.
  grid.SetText(grid::kRowValue, grid::InputColumn(1), "1300.000");

  torqueReads("60.000");
  w.Tick();
  ASSERT_TRUE(w.reported.empty()) << w.reported.front();
  const std::string moved = fuel.ValueOut;
  EXPECT_NE(ToSingle(moved), fuel.PVIN);  // the rules move the fuel
  EXPECT_FLOAT_EQ(fuel.ScriptAdjust, 0.0f);
  EXPECT_FALSE(store.ScriptFlag[1]);
  EXPECT_EQ(store.ScriptKounter[1], 0);

  torqueReads("42.000");
  w.Tick();
  w.Tick();
  ASSERT_TRUE(w.reported.empty()) << w.reported.front();
  EXPECT_EQ(ToSingle(fuel.ValueOut), fuel.PVIN);  // held where it is
  EXPECT_LT(fuel.ScriptAdjust, 0.0f);
  EXPECT_TRUE(store.ScriptFlag[1]);
  EXPECT_EQ(store.ScriptKounter[1], 2);

  torqueReads("55.000");
  w.Tick();
  EXPECT_FALSE(store.ScriptFlag[1]);
  EXPECT_EQ(store.ScriptKounter[1], 2);
  EXPECT_NE(ToSingle(fuel.ValueOut), fuel.PVIN);
}

}  // namespace
}  // namespace kavro::test
