#include <gtest/gtest.h>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "display/GridValues.h"
#include "display/StatusFrame.h"
#include "engine/ControlCycle.h"
#include "support/EngineTestModel.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

// A controller with input 1 "TI101" (zone "Hot" rising from 0 to 1 over 50..100) and output 1
// "FC101" (zone "Up" asking for +4), rule 1: MIN(TI101 is Hot) -> FC101 Up.
class ControlCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartController(controller);
    model.PVarIn[1].PVarName = "TI101";
    SetZone(model.PVarIn[1].Zone[1], "Hot", {50, 100, 100, 100}, {0, 1, 1, 1});
    model.PVarOut[1].PVarName = "FC101";
    SetZone(model.PVarOut[1].Zone[1], "Up", {4, 5, 6, 7}, {1, 1, 1, 0});
    SetRule(controller, 1, "MIN", {{1, "Hot"}, {7, "Up"}});
    TypeIntoGrid(controller, grid::kRowValue, grid::InputColumn(1), 75);
    TypeIntoGrid(controller, grid::kRowValue, grid::OutputColumn(1), 40);
    steps.showCycleTimes = ShowCycleTimes;  // the window's last run, read and write labels
    steps.showValues = ShowGridValues;      // the value rows while the link is on
    steps.runTimeErrorReported = [this](Controller&, const std::string& text) {
      reported.push_back(text);
    };
  }
  void Tick() { Timer1Tick(controller, steps); }
  const std::string& NoticeText() {
    static const std::string none = "(no notice)";
    const EventEntry* notice = controller.events.Notice();
    return notice ? notice->text : none;
  }

  FakeWorld world;
  Controller& controller = world.controller;
  ControllerModel& model = controller.model;
  CycleSteps steps;
  std::vector<std::string> reported;
};

TEST_F(ControlCycleTest, WithTheLinkOffTheGridIsTheSourceOfValuesAndTerms) {
  Tick();
  EXPECT_FLOAT_EQ(model.PVarIn[1].PVIN, 75.0f);
  EXPECT_FLOAT_EQ(model.PVarIn[1].Zone[1].MFDegree, 0.5f);
  EXPECT_EQ(model.Rules[1].Strength, "0.5000");
  EXPECT_EQ(model.PVarOut[1].ValueOut, "42.000");  // 40 + 0.5 x 4
  EXPECT_TRUE(model.PVarOut[1].SendOutput);
  EXPECT_EQ(model.HistCount, 1);

  TypeIntoGrid(controller, grid::kRowValue, grid::InputColumn(1), 90);
  controller.grid.SetText(grid::RuleRow(2), grid::TermColumn(1), "Hot");  // typed as a term
  controller.grid.SetText(grid::RuleRow(2), grid::kColController, "MAX");
  Tick();
  EXPECT_FLOAT_EQ(model.PVarIn[1].Zone[1].MFDegree, 0.8f);
  EXPECT_EQ(model.Rules[2].Term[1], "Hot");
  EXPECT_EQ(model.Rules[2].Strength, "0.8000");
  EXPECT_EQ(model.PVarOut[1].ValueOut, "43.200");  // rule 2 names no output zone
  EXPECT_TRUE(world.op.messages.empty());
  EXPECT_TRUE(reported.empty());
}

TEST_F(ControlCycleTest, RunTimeErrorIsReportedWithItsStepAndControlGoesOn) {
  controller.grid.SetText(grid::kRowValue, grid::InputColumn(1), "7O.5");
  Tick();
  const std::string expected =
      "Error Number = 13\r\nError Description = Type mismatch\r\n"
      "At error location = TIMER1: 4";
  EXPECT_EQ(NoticeText(), expected);
  EXPECT_EQ(controller.events.Notice()->title, "FLC1");
  EXPECT_EQ(controller.events.Notice()->when, "Dec-05-2026 12:00:00");
  EXPECT_EQ(reported, std::vector<std::string>{expected});
  EXPECT_TRUE(world.op.messages.empty());  // no modal box holds the cycle
  EXPECT_EQ(model.HistCount, 0);           // the rest of the cycle did not run
  EXPECT_TRUE(world.timer.armed);
  EXPECT_EQ(world.timer.intervals, std::vector<int>{30000});

  // The same failure every cycle is one entry while it lasts, and one more when it ends; the
  // notice stays up meanwhile, and every report still reaches whoever follows the cycles.
  Tick();
  Tick();
  EXPECT_EQ(controller.events.Entries().size(), 1u);
  EXPECT_EQ(controller.events.Entries().back().repeats, 1);
  EXPECT_EQ(NoticeText(), expected);

  TypeIntoGrid(controller, grid::kRowValue, grid::InputColumn(1), 70.5);
  Tick();
  EXPECT_EQ(model.HistCount, 1);
  EXPECT_EQ(reported.size(), 3u);
  ASSERT_EQ(controller.events.Entries().size(), 2u);
  EXPECT_EQ(controller.events.Entries().back().text, "Error ended after 3 cycles\r\n" + expected);
  EXPECT_EQ(controller.events.Entries().back().kind, EventKind::CycleError);

  // A new spell of it is a new begin.
  controller.grid.SetText(grid::kRowValue, grid::InputColumn(1), "7O.5");
  Tick();
  EXPECT_EQ(controller.events.Entries().size(), 3u);
  EXPECT_EQ(controller.events.Entries().back().text, expected);
}

TEST_F(ControlCycleTest, ErrorsOfOtherStepsNameTheirStep) {
  const auto failing = [](Controller&) -> bool { throw KavroError(500, "Variable is undefined"); };
  steps.runPreScript = failing;
  Tick();
  EXPECT_EQ(NoticeText(),
            "Error Number = 500\r\nError Description = Variable is undefined\r\n"
            "At error location = TIMER1: 31");

  steps.runPreScript = nullptr;
  steps.runPostScript = failing;
  Tick();
  EXPECT_NE(NoticeText().find("TIMER1: 7"), std::string::npos);
  EXPECT_EQ(model.HistCount, 1);  // the engine work before the script was done

  steps.runPostScript = nullptr;
  steps.refreshStatus = [](Controller&) { throw std::runtime_error("lost"); };
  Tick();
  EXPECT_EQ(NoticeText(),
            "Error Number = 51\r\nError Description = Internal error - lost\r\n"
            "At error location = TIMER1: 13");

  steps.refreshStatus = nullptr;
  model.Link.LinkStatus = kOn;
  steps.readLink = [](Controller&) { throw KavroError(6, "Overflow"); };
  Tick();  // the first cycle after switching on only writes
  Tick();
  EXPECT_NE(NoticeText().find("TIMER1: 3"), std::string::npos);
  EXPECT_EQ(world.timer.intervals.size(), 5u);
}

TEST_F(ControlCycleTest, MoveLimitFailureIsReportedAndTheCycleGoesOn) {
  model.PVarOut[1].Change_Time = 1.0e6f;
  bool postScriptRan = false;
  steps.runPostScript = [&](Controller&) { return postScriptRan = true; };
  model.ToFileMode = true;
  Tick();
  EXPECT_EQ(reported, std::vector<std::string>{"Error Number = 6\r\nError Description = "
                                               "Overflow\r\nAt error location = Override : 3"});
  EXPECT_TRUE(postScriptRan);
  EXPECT_EQ(model.ErrorCodeValue, -90);
  EXPECT_EQ(model.HistCount, 1);
}

TEST_F(ControlCycleTest, TimerIsReArmedSoCyclesStartRunFrequencyApart) {
  steps.refreshStatus = [this](Controller&) {
    EXPECT_FALSE(world.timer.armed);  // off while the cycle runs
    world.clock.Advance(2.5);
  };
  Tick();
  EXPECT_EQ(world.timer.intervals.back(), 27500);
  EXPECT_EQ(controller.window.status->Label5[0],
            " Last Run:   Dec-05-2026 12:00:02;  Wait = 27.5s");
  EXPECT_TRUE(controller.model.CycleHasRun);
  EXPECT_EQ(world.events.processEventsCalls, 1);

  world.clock.seconds = 86399.5;  // crosses midnight during the cycle
  steps.refreshStatus = [this](Controller&) { world.clock.Advance(1.0); };
  Tick();
  EXPECT_EQ(world.timer.intervals.back(), 29000);

  steps.refreshStatus = [this](Controller&) { world.clock.Advance(45.0); };  // overran
  Tick();
  EXPECT_EQ(world.timer.intervals.back(), 1000);
  EXPECT_EQ(controller.window.status->Label5[0].substr(33), ";  Wait = 1.0s");

  model.FLCBlock.RunFrequency = 0;
  steps.refreshStatus = nullptr;
  Tick();
  EXPECT_EQ(world.timer.intervals.back(), 1000);

  model.FLCBlock.RunFrequency = 120;  // waits above 65535 ms
  Tick();
  EXPECT_EQ(world.timer.intervals.back(), 120000);
}

TEST_F(ControlCycleTest, LinkIsReadFromTheSecondCycleAndTheGridShowsItsValues) {
  int reads = 0;
  int writes = 0;
  steps.readLink = [&](Controller& c) {
    ++reads;
    c.model.PVarIn[1].PVIN = 80;
    c.model.PVarIn[1].PVHigh = 1234.5678f;
  };
  steps.writeLink = [&](Controller&) { ++writes; };
  model.Link.LinkStatus = kOn;
  model.Link.SkipNextRead = true;
  model.PVarIn[1].PVIN = 60;

  Tick();
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(controller.window.status->Label5[1], "");
  EXPECT_EQ(controller.window.status->Label5[2], " Write:        Dec-05-2026 12:00:00");
  EXPECT_EQ(controller.grid.Text(grid::kRowValue, grid::InputColumn(1)), "60.000");
  EXPECT_FLOAT_EQ(model.PVarIn[1].Zone[1].MFDegree, 0.2f);

  world.clock.Advance(30);
  Tick();
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(controller.window.status->Label5[1], " Read:        Dec-05-2026 12:00:30");
  EXPECT_DOUBLE_EQ(model.Link.LastReadTime, 12 * 3600.0 + 30);
  EXPECT_EQ(controller.grid.Text(grid::kRowHigh, grid::InputColumn(1)), "1234.568");
  EXPECT_FLOAT_EQ(model.PVarIn[1].Zone[1].MFDegree, 0.6f);

  // A failed transfer leaves its caption as it was; the write time moves on all the same.
  steps.readLink = [](Controller& c) { c.model.LinkReadError = true; };
  steps.writeLink = [](Controller& c) { c.model.LinkWriteError = true; };
  world.clock.Advance(30);
  Tick();
  EXPECT_EQ(controller.window.status->Label5[1], " Read:        Dec-05-2026 12:00:30");
  EXPECT_EQ(controller.window.status->Label5[2], " Write:        Dec-05-2026 12:00:30");
  EXPECT_DOUBLE_EQ(model.Link.LastWriteTime, 12 * 3600.0 + 60);
  EXPECT_EQ(model.ErrorCodeValue, 1);  // composed before this cycle's write failed
  Tick();
  EXPECT_EQ(model.ErrorCodeValue, 2);
}

TEST_F(ControlCycleTest, ScreenLockCountsDownByTheRunFrequency) {
  model.FLCBlock.RunFrequency = 120;
  model.LockCountdown = 300;
  Tick();
  EXPECT_EQ(model.LockCountdown, 180);
  Tick();
  EXPECT_EQ(model.LockCountdown, 60);
  EXPECT_FALSE(controller.model.ScreenLocked);
  Tick();
  EXPECT_EQ(model.LockCountdown, 0);
  EXPECT_TRUE(controller.model.ScreenLocked);
}

TEST_F(ControlCycleTest, PostScriptAdjustmentIsRecordedOnlyWhenTheScriptRan) {
  bool run = true;
  steps.runPostScript = [&](Controller& c) {
    if (!run) return false;
    c.model.PVarOut[1].ValueOut = "43.500";
    c.model.PVarOut[2].ValueOut = "7";  // was 0.000
    return true;
  };
  Tick();
  EXPECT_FLOAT_EQ(model.PVarOut[1].ScriptAdjust, 1.5f);
  EXPECT_FLOAT_EQ(model.PVarOut[2].ScriptAdjust, 7.0f);
  // The value the rules gave stays beside the one the script made of it.
  EXPECT_EQ(model.PVarOut[1].ValueDefuzzified, "42.000");
  EXPECT_EQ(model.PVarOut[1].ValueOut, "43.500");
  run = false;
  Tick();
  EXPECT_FLOAT_EQ(model.PVarOut[1].ScriptAdjust, 1.5f);
  run = true;
  steps.runPostScript = [](Controller& c) {
    c.model.PVarOut[1].ValueOut = "Not Used";
    return true;
  };
  Tick();
  EXPECT_FLOAT_EQ(model.PVarOut[1].ScriptAdjust, 1.5f);  // no number after it: kept
}

TEST_F(ControlCycleTest, DisplayRefreshIsSkippedWhileMinimisedOrHeld) {
  int refreshes = 0;
  steps.refreshStatus = [&](Controller&) { ++refreshes; };
  steps.refreshTrend = [&](Controller&) { ++refreshes; };
  steps.refreshLinkPanel = [&](Controller&) { ++refreshes; };
  controller.window.minimised = true;
  Tick();
  model.CycleHold = true;
  controller.window.minimised = false;
  Tick();
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(world.events.processEventsCalls, 0);
  model.CycleHold = false;
  Tick();
  EXPECT_EQ(refreshes, 3);
  EXPECT_EQ(world.events.processEventsCalls, 1);
}

TEST_F(ControlCycleTest, AThousandCyclesOfAMovingPlantRunClean) {
  for (int i = 2; i <= NumIn; ++i) model.PVarIn[i].PVarName = "TI10" + std::to_string(i);
  model.PVarOut[2].PVarName = "FC102";
  model.PVarOut[1].Change_Time = 2;
  model.PVarOut[1].Wait_Change = 3;
  model.PVarOut[1].Max_Change = 1.5f;
  model.FLCBlock.SlopeCorr = true;
  SetZone(model.PVarOut[1].Zone[2], "Down", {-3, -2, -1, 0}, {1, 1, 1, 0});
  SetRule(controller, 2, "PROD", {{1, "Hot"}, {2, "Zone 1"}, {7, "Down"}});
  for (int cycle = 0; cycle < 1000; ++cycle) {
    TypeIntoGrid(controller, grid::kRowValue, grid::InputColumn(1), 50 + (cycle * 7) % 60);
    TypeIntoGrid(controller, grid::kRowValue, grid::OutputColumn(1), 40 + (cycle % 13) * 0.5);
    Tick();
    world.clock.Advance(30);
  }
  EXPECT_TRUE(reported.empty());
  EXPECT_EQ(model.HistCount, 200);
  EXPECT_TRUE(IsNumeric(model.PVarOut[1].ValueOut));
  EXPECT_EQ(world.timer.intervals.size(), 1000u);
  EXPECT_GT(model.PVarIn[1].VarIndex, 0.0f);
}

}  // namespace
}  // namespace kavro::test
