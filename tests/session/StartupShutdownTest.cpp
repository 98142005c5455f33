#include <gtest/gtest.h>

#include "common/KavroError.h"
#include "display/MenuTree.h"
#include "display/RuleRowsSelector.h"
#include "display/StatusFrame.h"
#include "session/Shutdown.h"
#include "session/Startup.h"
#include "support/FakePorts.h"

namespace kavro {
namespace {

struct StartupTest : ::testing::Test {
  void Start(const StartupSteps& steps = {}) {
    SetProgramDefaults(c, dir.Path());
    FLControlLoad(c, steps);
  }
  void WriteConfig(const std::string& name, const std::string& programInterface,
                   const std::string& mode) {
    std::string text;
    for (const std::string& line :
         {std::string("FLCVersion: Kavro Version 1.0.0"), std::string("12/5/2026 6:00:00 PM"),
          "Program_Interface: " + programInterface, std::string("RESTART I/F: NO"),
          std::string("Start_FLC_Block:"), "Name1: " + name, std::string("RunFrequency: 30"),
          std::string("LinkFrequency: 10"), std::string("SlopeCorr: True"),
          std::string("End_FLC_Block:"), std::string("Start_ControlMode:"), mode,
          std::string("End_ControlMode:")}) {
      text += line + "\r\n";
    }
    dir.Write("FLC.dat", text);
  }
  test::ScratchDir dir;
  test::FakeWorld world;
  Controller& c = world.controller;
};

TEST_F(StartupTest, WithoutConfigurationStartsSilentlyInToFileWithDefaultsAndArmsFirstCycle) {
  world.timer.armed = true;
  Start();
  EXPECT_TRUE(world.op.messages.empty());
  EXPECT_EQ(world.timer.intervals, std::vector<int>{2000});
  EXPECT_TRUE(world.timer.armed);
  EXPECT_EQ(c.model.WorkDir, dir.Path());
  EXPECT_EQ(c.model.FLCBlock.RunFrequency, 0);
  EXPECT_EQ(c.model.PVarIn[6].Zone[7].MFName, "Zone 7");
  EXPECT_EQ(c.model.PVarOut[2].Zone[1].MFName, "Zone 1");
  EXPECT_EQ(c.model.Rules[20].Operator, "MIN");
  EXPECT_EQ(c.grid.Text(31, 0), "R20: Not Used");
  EXPECT_TRUE(c.model.Link.SkipNextRead);
  EXPECT_EQ(c.model.Link.LinkStatus, "OFF");

  const WindowState& w = c.window;
  EXPECT_EQ(w.status->caption, ": Kavro");
  EXPECT_EQ(w.status->appTitle, "Kavro: ");
  EXPECT_EQ(w.ruleRows->cmbDisplayRules.size(), 10u);
  EXPECT_EQ(w.status->Label5[0], "Last Run:");
  EXPECT_EQ(w.status->Label5[1], "Read:");
  EXPECT_EQ(w.status->Label5[2], "Write:");
  EXPECT_TRUE(c.model.ToFileMode);
  EXPECT_EQ(w.status->lblMode.caption, "To File");
  EXPECT_EQ(w.status->lblMode.backColour, OffColour);
  EXPECT_TRUE(w.menus->mnuToFileChecked);
  EXPECT_EQ(w.status->lblLink.caption, "Link OFF");
  EXPECT_EQ(w.status->lblLink.backColour, PaletteColour(12));
  EXPECT_EQ(w.status->lblPreScript.backColour, OffColour);
  EXPECT_EQ(w.status->lblPostScript.backColour, OffColour);
  EXPECT_FALSE(w.menus->mnuDebugLinkEnabled) << "no link on and none of the OPC kind configured";
  EXPECT_TRUE(c.model.ScreenLocked);
  EXPECT_EQ(c.model.LockCountdown, 0);
  EXPECT_FALSE(c.model.CycleHasRun);
  EXPECT_FALSE(w.menus->mnuSaveModeChecked);
  EXPECT_FALSE(w.menus->mnuSlopeChecked);
}

TEST_F(StartupTest, ConfigurationNamesTheWindowAndRestoresTheSavedMode) {
  WriteConfig("KILN1  ", "veldtbrg  ", " DCS ");
  Start();
  EXPECT_TRUE(world.op.messages.empty());
  EXPECT_EQ(c.window.status->caption, "KILN1  : Kavro");
  EXPECT_EQ(c.window.status->appTitle, "Kavro: KILN1");
  EXPECT_EQ(c.window.status->Label3.caption, "Kavro: Fuzzy Logic Controller: KILN1  ");
  EXPECT_FALSE(c.model.ToFileMode);
  EXPECT_EQ(c.window.status->lblMode.caption, "To DCS");
  EXPECT_EQ(c.window.status->lblMode.backColour, PaletteColour(10));
  EXPECT_TRUE(c.window.menus->mnuToDCSChecked);
  EXPECT_TRUE(c.window.menus->mnuSlopeChecked);
  EXPECT_TRUE(c.window.menus->mnuDebugLinkEnabled);
  EXPECT_EQ(c.grid.Text(1, 0), "Freq: 30");
}

TEST_F(StartupTest, StepHooksRunInOrderAndFailuresArePassedOver) {
  WriteConfig("KILN1", "OTHER", "File");
  std::vector<std::string> order;
  StartupSteps steps;
  steps.layoutWindow = [&](Controller& ctl) {
    order.push_back("layout:" + ctl.model.FLCBlock.Name1);  // before the file is read
  };
  steps.deleteStaleLinkOutput = [&](Controller&) {
    order.push_back("delete");
    throw KavroError(75, "Path/File access error");
  };
  steps.loadPreScript = [&](Controller&) {
    order.push_back("pre");
    return ScriptLoadOutcome{true, false};
  };
  steps.loadPostScript = [&](Controller&) {
    order.push_back("post");
    return ScriptLoadOutcome{false, true};
  };
  steps.clearScriptStore = [&](Controller&) { order.push_back("store"); };
  steps.autoStartLink = [&](Controller& ctl) {
    order.push_back("link:" + ctl.window.status->lblMode.caption);
    throw std::runtime_error("no link");
  };
  Start(steps);

  EXPECT_EQ(order, (std::vector<std::string>{"layout:", "delete", "pre", "post", "store",
                                             "link:To File"}));
  EXPECT_EQ(world.timer.intervals, std::vector<int>{2000});  // armed despite the failures
  ASSERT_EQ(world.op.messages.size(), 1u);
  EXPECT_EQ(world.op.messages[0].text, "PreScript Loading/Initializing Error - Resetting It to Null");
  EXPECT_EQ(world.op.messages[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(world.op.messages[0].title, "Kavro");
  EXPECT_EQ(c.window.status->lblPreScript.backColour, OffColour);
  EXPECT_FALSE(c.window.menus->mnuPreProcessExeChecked);
  EXPECT_EQ(c.window.status->lblPostScript.backColour, PaletteColour(10));
  EXPECT_TRUE(c.window.menus->mnuPostProcessExeChecked);
  EXPECT_FALSE(c.window.menus->mnuDebugLinkEnabled);  // a file link that is not on
  // The passed-over failures are in the event log, after how the configuration was read.
  ASSERT_EQ(c.events.Entries().size(), 3u);
  EXPECT_EQ(c.events.Entries()[0].text.rfind("Start-up: ", 0), 0u);
  EXPECT_NE(c.events.Entries()[1].text.find("Error Number = 75"), std::string::npos);
  EXPECT_NE(c.events.Entries()[1].text.find("FLControl_Load: 12"), std::string::npos);
  EXPECT_NE(c.events.Entries()[2].text.find("Error Number = 51"), std::string::npos);
}

// An operator that also records whether the cycle was held while each message was up.
struct HoldWatchingOperator : test::FakeOperator {
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override {
    heldWhileShown.push_back(model->CycleHold);
    return FakeOperator::MessageBox(text, title, icon, buttons);
  }
  ControllerModel* model = nullptr;
  std::vector<bool> heldWhileShown;
};

TEST_F(StartupTest, CloseRequestsAreRefusedWithANoticeWhileTheCycleIsHeld) {
  HoldWatchingOperator op;
  op.model = &c.model;
  c.ports.op = &op;
  EXPECT_FALSE(FLControlQueryUnload(c));
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_EQ(op.messages[0].text, "Please Exit via the File, Exit Menu Option");
  EXPECT_EQ(op.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(op.messages[0].title, "Kavro");
  EXPECT_EQ(op.heldWhileShown, std::vector<bool>{true});
  EXPECT_FALSE(c.model.CycleHold);
  EXPECT_FALSE(c.model.ExitRequested);
}

TEST_F(StartupTest, ExitAsksAboutUnsavedChangesThenToConfirm) {
  c.model.FLCBlock.Name1 = "KILN1";
  c.model.ChangesPending = true;
  world.op.answers = {MsgAnswer::No};
  mnuExit_Click(c);  // No to the first question: nothing changes
  ASSERT_EQ(world.op.messages.size(), 1u);
  EXPECT_EQ(world.op.messages[0].text, "Any Changes Made Will Not Be Saved - Continue?");
  EXPECT_EQ(world.op.messages[0].title, "KILN1");
  // Enter must never end control: No is the default of both questions.
  EXPECT_EQ(world.op.messages[0].buttons, MsgButtons::YesNoDefaultNo);
  EXPECT_EQ(world.op.messages[0].icon, MsgIcon::Question);
  EXPECT_TRUE(c.model.ChangesPending);
  EXPECT_FALSE(c.model.ExitRequested);

  world.op.answers = {MsgAnswer::Yes, MsgAnswer::No};
  mnuExit_Click(c);  // Yes, then No: keeps running, changes no longer pending
  ASSERT_EQ(world.op.messages.size(), 3u);
  EXPECT_EQ(world.op.messages[2].text, "Please Confirm - End Control");
  EXPECT_EQ(world.op.messages[2].buttons, MsgButtons::YesNoDefaultNo);
  EXPECT_FALSE(c.model.ChangesPending);
  EXPECT_FALSE(c.model.ExitRequested);

  world.op.answers = {MsgAnswer::Yes};
  mnuExit_Click(c);  // only the confirmation now
  ASSERT_EQ(world.op.messages.size(), 4u);
  EXPECT_EQ(world.op.messages[3].text, "Please Confirm - End Control");
  EXPECT_TRUE(c.model.ExitRequested);
}

}  // namespace
}  // namespace kavro
