// Failures by rule: a held command gives the cycle back however it ends, every call from the
// window is guarded, and a failure keeps its own number and description on the way to the
// operator.
#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/ControlCycle.h"
#include "engine/RunTimeError.h"
#include "scripting/host/ScriptErrorBridge.h"
#include "session/ControllerBuilder.h"
#include "session/GuardedCall.h"
#include "session/Shutdown.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

TEST(FailureRules, HeldCommandThatFailsPutsCycleHoldBackAsItWas) {
  for (const char* command : {"mnuSaveMode", "mnuLinkStatus", "mnuLinkRestart", "close"}) {
    for (const bool heldBefore : {false, true}) {
      SCOPED_TRACE(std::string(command) + (heldBefore ? " held before" : ""));
      LinkTestWorld w;
      BuiltController built(w.controller);
      ControllerSession& session = built.session();
      w.op.failAtMessage = 1;  // the box the command holds the cycle for fails
      w.controller.model.CycleHold = heldBefore;
      if (std::string(command) == "close") {
        EXPECT_FALSE(RunGuarded(w.controller, [&] { FLControlQueryUnload(w.controller); }));
      } else {
        EXPECT_TRUE(session.RunCommand(command));
      }
      EXPECT_EQ(w.controller.model.CycleHold, heldBefore);
      // The failure was shown in a second box, with its number and description.
      ASSERT_EQ(w.op.messages.size(), 2u);
      EXPECT_EQ(w.op.messages[1].text, "Error Number = 7\r\nError Description = Out of memory");
      EXPECT_EQ(w.op.messages[1].icon, MsgIcon::Critical);
    }
  }
}

TEST(FailureRules, GuardShowsAnyFailureAndKeepsItsDescription) {
  LinkTestWorld w;
  EXPECT_TRUE(RunGuarded(w.controller, [] {}));
  EXPECT_TRUE(w.op.messages.empty());

  EXPECT_FALSE(RunGuarded(w.controller, [] { throw KavroError(75, "Path/File access error"); }));
  EXPECT_FALSE(RunGuarded(w.controller, [] { throw std::out_of_range("rule 21 of 20"); }));
  EXPECT_FALSE(RunGuarded(w.controller, [] { throw 42; }));
  ASSERT_EQ(w.op.messages.size(), 3u);
  EXPECT_EQ(w.op.messages[0].text, "Error Number = 75\r\nError Description = Path/File access error");
  EXPECT_EQ(w.op.messages[1].text,
            "Error Number = 51\r\nError Description = Internal error - rule 21 of 20");
  EXPECT_EQ(w.op.messages[2].text, "Error Number = 51\r\nError Description = Internal error");
  EXPECT_EQ(w.op.messages[2].title, "Kavro");

  // A runaway text is cut, not echoed whole into a message box.
  const KavroError cut = AsKavroError(std::runtime_error(std::string(100000, 'x')));
  EXPECT_EQ(cut.Number(), 51);
  EXPECT_EQ(cut.Description(), "Internal error - " + std::string(200, 'x') + "...");
}

TEST(FailureRules, ScriptErrorReachesTheCycleReportWithItsOwnNumberAndDescription) {
  LinkTestWorld w;
  CycleSteps steps;
  steps.runPreScript = [](Controller&) {
    return CallIntoScript([]() -> bool { throw vbs::ScriptError(vbs::err::DivisionByZero); });
  };
  Timer1Tick(w.controller, steps);
  ASSERT_EQ(w.controller.events.Entries().size(), 1u);
  EXPECT_EQ(w.controller.events.Entries()[0].text,
            "Error Number = 11\r\nError Description = Division by zero\r\n"
            "At error location = TIMER1: 31");
}

}  // namespace
}  // namespace kavro::test
