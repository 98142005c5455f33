// A controller wired without a window — every port left at its stand-in — starts and runs its
// cycles as it always has: messages dropped, time standing at 0, no program started.
#include <gtest/gtest.h>

#include "display/StatusFrame.h"
#include "scripting/host/ScriptDialogs.h"
#include "session/ControllerBuilder.h"
#include "support/DemoFiles.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

TEST(DefaultPorts, AControllerWithoutAnyPortWiredStartsAndCycles) {
  ScratchDir dir;
  dir.Write("FLC.dat", DemoFile("FLC.dat"));
  dir.Write("FLC_Post.scp", DemoFile("FLC_Post.scp"));
  BuiltController built;
  Controller& c = built.controller();
  ControllerSession& session = built.session();
  // The demo switches its link on at start-up; its client cannot be started here, and the
  // message saying so goes to nobody.
  ASSERT_TRUE(session.Start(dir.Path()));
  EXPECT_EQ(c.model.Link.LinkStatus, "OFF");

  for (int cycle = 1; cycle <= 3; ++cycle) session.RunCycle();
  EXPECT_EQ(c.model.ErrorCodeValue, 0);
  // No clock: the cycle has no time to show, and takes no time.
  EXPECT_EQ(c.window.status->Label5[0], " Last Run:   ;  Wait = 10.0s");

  // Commands that ask the operator get no Yes from nobody: control is not ended.
  ASSERT_TRUE(session.RunCommand("mnuExit"));
  EXPECT_FALSE(c.model.ExitRequested);
}

TEST(DefaultPorts, AScriptWithoutAnOperatorOrClockGetsTheAnswersItAlwaysGot) {
  Controller c;
  OperatorScriptUi ui(c);
  EXPECT_EQ(ui.MsgBox("Go on?", 4 + 32, "Kavro"), 1);  // vbYesNo still answered vbOK
  EXPECT_EQ(ui.InputBox("Setpoint?", "Kavro", "42"), "");
  // The script reads the system's clock instead.
  struct SystemClockOnly : vbs::ScriptUi {
    int MsgBox(const std::string&, int, const std::string&) override { return 0; }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
      return {};
    }
  } system;
  const double systemNow = system.Now();
  EXPECT_NEAR(ui.Now(), systemNow, 5.0 / 86400.0);  // within five seconds
}

}  // namespace
}  // namespace kavro::test
