#include <gtest/gtest.h>

#include "HostTestWorld.h"
#include "common/KavroError.h"
#include "common/NumberText.h"
#include "display/MenuTree.h"
#include "display/StatusFrame.h"
#include "model/Colour.h"
#include "scripting/host/ScriptHost.h"
#include "scripting/vbs/Conversions.h"

namespace kavro::test {
namespace {

constexpr const char* kPreOn = "Status PreProcess = ON";
constexpr const char* kPreOff = "Status PreProcess = OFF";
constexpr const char* kPostOn = "Status PostProcess = ON";

const Colour kGreen = PaletteColour(10);

class ScriptHostTest : public ::testing::Test {
 protected:
  HostWorld w;
  ControllerModel& model = w.model;
  WindowState& window = w.controller.window;
  ScriptHost& host = w.host;
  UserScript& pre = w.host.Script(ScriptKind::Pre);
  UserScript& post = w.host.Script(ScriptKind::Post);
};

TEST_F(ScriptHostTest, StartUpLoadsBothScriptsAndRejectsOneThatFailsAtItsTopLevel) {
  const std::string failing = ScriptFileOf(kPostOn, "x = 1\r\ny = 1 / 0\r\n");
  // The pre-process script's top level writes the store; start-up clears it afterwards.
  w.Start(ScriptFileOf(kPreOn, "SET_SCRIPTKOUNTER 1, 5, e\r\nSub Helper\r\nEnd Sub\r\n"), failing);

  EXPECT_EQ(w.MessageTexts(), (std::vector<std::string>{
                                  "Script Error #: 11, Division by zero",
                                  "PostScript Loading/Initializing Error - Resetting It to Null"}));
  for (const ShownMessage& m : w.world.op.messages) {
    EXPECT_EQ(m.title, "Kavro");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.buttons, MsgButtons::OK);
  }
  EXPECT_EQ(pre.text, "SET_SCRIPTKOUNTER 1, 5, e\r\nSub Helper\r\nEnd Sub");
  EXPECT_TRUE(pre.on);
  EXPECT_FALSE(pre.loadError);
  EXPECT_TRUE(window.menus->mnuPreProcessExeChecked);
  EXPECT_EQ(window.status->lblPreScript.backColour, kGreen);

  EXPECT_EQ(post.text, "");
  EXPECT_FALSE(post.on);
  EXPECT_TRUE(post.loadError);
  EXPECT_FALSE(window.menus->mnuPostProcessExeChecked);
  EXPECT_EQ(window.status->lblPostScript.backColour, OffColour);
  EXPECT_TRUE(post.engine->GlobalValue("x").IsEmpty());  // a fresh engine without the code
  EXPECT_EQ(w.dir.Read("FLC_Post.scp"), failing);        // the file is left as it was

  EXPECT_EQ(model.Store.ScriptKounter[1], 0);
}

TEST_F(ScriptHostTest, MissingFilesGiveEmptyScriptsSwitchedOff) {
  model.Store.ScriptBuffer[16] = 3.0f;
  w.Start("", "");
  EXPECT_TRUE(w.world.op.messages.empty());
  EXPECT_EQ(pre.text, "");
  EXPECT_FALSE(pre.on);
  EXPECT_FALSE(pre.loadError);
  EXPECT_EQ(window.status->lblPreScript.backColour, OffColour);
  EXPECT_EQ(window.status->lblPostScript.backColour, OffColour);
  EXPECT_EQ(model.Store.ScriptBuffer[16], 0.0f);

  // A later load of a missing file leaves the switch as it was.
  pre.on = true;
  host.Load(ScriptKind::Pre);
  EXPECT_TRUE(pre.on);
  EXPECT_FALSE(host.Run(ScriptKind::Pre));  // nothing to run

  // A file with only its status and date lines: ON, yet nothing runs.
  w.dir.Write("FLC_Pre.scp", ScriptFileOf(kPreOn, "\r\n"));
  host.Load(ScriptKind::Pre);
  EXPECT_TRUE(pre.on);
  EXPECT_EQ(pre.text, "");
  EXPECT_FALSE(host.Run(ScriptKind::Pre));
}

TEST_F(ScriptHostTest, LoadFailuresReportTheirNumberAndLeaveTheScriptEmptyAndOff) {
  w.Start("", "");
  struct Case {
    std::string body;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"If x Then\r\n", "Script Error #: 1014, Expected 'End'"},  // nothing of it runs
      {"SET_INPVIN 1, \"hot\", e\r\n", "Script Error #: 13, Type mismatch"},
      {"Dim a(2)\r\na(5) = 1\r\n", "Script Error #: 9, Subscript out of range"},
  };
  for (const Case& c : cases) {
    w.world.op.messages.clear();
    w.dir.Write("FLC_Pre.scp", ScriptFileOf(kPreOn, "SET_SCRIPTFLAG 2, 1, e\r\n" + c.body));
    model.Store.ScriptFlag[2] = false;
    host.Load(ScriptKind::Pre);
    ASSERT_EQ(w.world.op.messages.size(), 1u) << c.body;
    EXPECT_EQ(w.world.op.messages[0].text.rfind(c.message, 0), 0u) << w.world.op.messages[0].text;
    EXPECT_TRUE(pre.loadError);
    EXPECT_FALSE(pre.on);
    EXPECT_EQ(pre.text, "");
    EXPECT_FALSE(host.Run(ScriptKind::Pre));
  }
  // A compile error is found before any line runs; a run-time error after the lines before it.
  EXPECT_TRUE(model.Store.ScriptFlag[2]);

  // The next good load clears the flag.
  w.dir.Write("FLC_Pre.scp", ScriptFileOf(kPreOff, "x = 1\r\n"));
  host.Load(ScriptKind::Pre);
  EXPECT_FALSE(pre.loadError);
  EXPECT_EQ(pre.text, "x = 1");
}

TEST_F(ScriptHostTest, EndlessTopLevelFailsItsLoadWithinHalfTheRunFrequency) {
  model.FLCBlock.RunFrequency = 30;
  EXPECT_EQ(ScriptTimeLimitMs(model), 15000);
  model.FLCBlock.RunFrequency = 0;
  EXPECT_EQ(ScriptTimeLimitMs(model), 1000);  // never below 1 s
  model.FLCBlock.RunFrequency = 2;
  EXPECT_EQ(ScriptTimeLimitMs(model), 1000);

  w.dir.Write("FLC_Pre.scp", ScriptFileOf(kPreOn, "Do\r\nLoop\r\n"));
  host.StartUp(ScriptKind::Pre);
  EXPECT_EQ(w.MessageTexts(),
            std::vector<std::string>{"Script Error #: 9000, Script execution time was exceeded"});
  EXPECT_TRUE(pre.loadError);
  EXPECT_FALSE(pre.on);
}

TEST_F(ScriptHostTest, TogglesFollowTheMenuCheckAndOnlyPostProcessOffBlanksTheAdjustCells) {
  w.Start("", "");
  const int row = grid::ActiveZoneDegreeRow(1);
  const auto cellsBlank = [&] {
    return w.controller.grid.Text(row, grid::OutputColumn(1)).empty() &&
           w.controller.grid.Text(row, grid::OutputColumn(2)).empty();
  };
  const auto fillCells = [&] {
    w.controller.grid.SetText(row, grid::OutputColumn(1), "0.500");
    w.controller.grid.SetText(row, grid::OutputColumn(2), "0.000");
  };

  w.Command("mnuPostProcessExe");
  EXPECT_TRUE(post.on);
  EXPECT_TRUE(window.menus->mnuPostProcessExeChecked);
  EXPECT_EQ(window.status->lblPostScript.backColour, kGreen);
  ASSERT_EQ(w.world.op.messages.size(), 1u);
  EXPECT_EQ(w.world.op.messages[0].text,
            "To Remember The Script ON/OFF selection, Please SAVE the Script From The Script "
            "Screen");
  EXPECT_EQ(w.world.op.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(w.world.op.messages[0].title, "Kavro");

  fillCells();
  w.Command("mnuPreProcessExe");
  w.Command("mnuPreProcessExe");  // ON and OFF again
  EXPECT_FALSE(pre.on);
  EXPECT_FALSE(window.menus->mnuPreProcessExeChecked);
  EXPECT_EQ(window.status->lblPreScript.backColour, OffColour);
  EXPECT_FALSE(cellsBlank());

  w.Command("mnuPostProcessExe");
  EXPECT_FALSE(post.on);
  EXPECT_FALSE(window.menus->mnuPostProcessExeChecked);
  EXPECT_EQ(window.status->lblPostScript.backColour, OffColour);
  EXPECT_TRUE(cellsBlank());  // both outputs, whether used or not
  EXPECT_EQ(w.world.op.messages.size(), 4u);
  EXPECT_FALSE(w.dir.Read("FLC_Post.scp").size());  // the toggle writes no file
}

TEST_F(ScriptHostTest, StoreIsSharedByBothScriptsAndSurvivesReloadsWhileGlobalsDoNot) {
  w.Start(ScriptFileOf(kPreOn,
                       "GET_SCRIPTKOUNTER 1, k, e\r\n"
                       "SET_SCRIPTKOUNTER 1, k + 1, e\r\n"
                       "mine = 7\r\n"
                       "runs = runs + 1\r\n"),
          ScriptFileOf(kPostOn,
                       "GET_SCRIPTKOUNTER 1, k, e\r\n"
                       "SET_SCRIPTBUFFER 2, k * 10, e\r\n"
                       "If IsEmpty(mine) Then SET_SCRIPTFLAG 3, 1, e\r\n"));
  EXPECT_TRUE(w.world.op.messages.empty());
  EXPECT_EQ(model.Store.ScriptKounter[1], 0);  // the load's run was cleared by start-up

  w.Tick();
  w.Tick();
  EXPECT_TRUE(w.reported.empty()) << w.reported.front();
  EXPECT_EQ(model.Store.ScriptKounter[1], 2);
  EXPECT_FLOAT_EQ(model.Store.ScriptBuffer[2], 20.0f);  // read back in the same cycle
  EXPECT_TRUE(model.Store.ScriptFlag[3]);               // the other engine's globals are not seen
  EXPECT_EQ(pre.engine->GlobalValue("runs").IntegerValue(), 3);  // load, then two cycles

  host.Load(ScriptKind::Pre);  // as after a save from the editor: runs the top level once
  host.Load(ScriptKind::Post);
  EXPECT_EQ(model.Store.ScriptKounter[1], 3);
  EXPECT_EQ(pre.engine->GlobalValue("runs").IntegerValue(), 1);
  w.Tick();
  EXPECT_EQ(model.Store.ScriptKounter[1], 4);
  EXPECT_FLOAT_EQ(model.Store.ScriptBuffer[2], 40.0f);
}

TEST_F(ScriptHostTest, ScriptErrorsEndTheCycleWithTheirLocationAndTheScriptStaysOn) {
  w.Start(ScriptFileOf(kPreOn,
                       "SET_SCRIPTFLAG 1, 1, e\r\nIf runs > 0 Then x = 1 / 0\r\n"
                       "runs = runs + 1\r\n"),
          "");
  int writes = 0;
  w.session.cycleSteps().writeLink = [&](Controller&) { ++writes; };
  model.Link.LinkStatus = kOn;
  model.Link.SkipNextRead = true;

  w.Tick();
  EXPECT_EQ(w.reported,
            std::vector<std::string>{"Error Number = 11\r\nError Description = Division by zero\r\n"
                                     "At error location = TIMER1: 31"});
  EXPECT_EQ(model.HistCount, 0);  // nothing after the script ran
  EXPECT_EQ(writes, 0);
  EXPECT_TRUE(pre.on);
  EXPECT_TRUE(w.world.timer.armed);

  w.Command("mnuPreProcessExe");  // OFF: control goes on
  w.reported.clear();
  w.Tick();
  EXPECT_TRUE(w.reported.empty());
  EXPECT_EQ(model.HistCount, 1);
  EXPECT_EQ(writes, 1);

  // The post-process script fails after the output moves: nothing is written to the DCS.
  w.dir.Write("FLC_Post.scp",
              ScriptFileOf(kPostOn, "If loaded Then Err.Raise 5\r\nloaded = True\r\n"));
  host.Load(ScriptKind::Post);
  w.Tick();
  EXPECT_EQ(w.reported, std::vector<std::string>{
                            "Error Number = 5\r\nError Description = Invalid procedure call or "
                            "argument\r\nAt error location = TIMER1: 7"});
  EXPECT_EQ(model.HistCount, 2);
  EXPECT_EQ(writes, 1);
  EXPECT_TRUE(post.on);
}

TEST_F(ScriptHostTest, ABuiltInFailingInsideTheEngineIsAScriptErrorAndTheNextCycleRunsTheScript) {
  // At load the script handles the error itself; in the first cycle it does not.
  w.Start(
      ScriptFileOf(
          kPreOn,
          "On Error Resume Next\r\nx = FormatPercent(1E307)\r\nhandled = Err.Number\r\n"
          "On Error GoTo 0\r\nruns = runs + 1\r\nIf runs = 2 Then x = FormatPercent(1E307)\r\n"),
      "");
  EXPECT_TRUE(w.world.op.messages.empty());
  EXPECT_FALSE(pre.loadError);
  EXPECT_EQ(vbs::ToLong(pre.engine->GlobalValue("handled")), 6);
  w.Tick();
  EXPECT_EQ(w.reported, std::vector<std::string>{"Error Number = 6\r\nError Description = "
                                                 "Overflow\r\nAt error location = TIMER1: 31"});
  w.reported.clear();
  w.Tick();
  EXPECT_TRUE(w.reported.empty());
  EXPECT_EQ(vbs::ToLong(pre.engine->GlobalValue("runs")), 3);
}

TEST_F(ScriptHostTest, EndlessCycleRunIsStoppedAndTheNextCycleComesOnTime) {
  w.Start("", ScriptFileOf(kPostOn,
                           "SET_SCRIPTKOUNTER 2, 1, e\r\nIf runs > 0 Then\r\n"
                           "Do While True\r\nLoop\r\nEnd If\r\nruns = 1\r\n"));
  model.FLCBlock.RunFrequency = 2;
  w.world.timer.intervals.clear();
  w.Tick();
  EXPECT_EQ(w.reported, std::vector<std::string>{
                            "Error Number = 9000\r\nError Description = Script execution time "
                            "was exceeded\r\nAt error location = TIMER1: 7"});
  EXPECT_TRUE(w.world.timer.armed);
  EXPECT_EQ(w.world.timer.intervals, std::vector<int>{2000});
  EXPECT_TRUE(post.on);
}

// A script close to its memory budget that adds a little each cycle is stopped at the budget
// as one that adds it all at once would be: a refused addition leaves nothing behind, and the
// process stops growing.
TEST_F(ScriptHostTest, AScriptAtItsMemoryBudgetCannotGrowALittleEachCycle) {
  w.Start("", ScriptFileOf(kPostOn,
                           "Dim big(1000)\r\nIf IsEmpty(big(0)) Then\r\n"
                           "  For i = 0 To 1000 : big(i) = Space(3000) : Next\r\nEnd If\r\n"
                           "trail = trail & Space(1000)\r\nn = n + 1\r\n"));
  ASSERT_TRUE(post.on);
  vbs::ScriptLimits limits;
  limits.memoryBudget = 4u << 20;  // about 3 MB held: 1 MB to grow into
  post.engine->SetLimits(limits);
  int refused = 0;
  for (int cycle = 0; cycle < 3000; ++cycle) {  // 3 MB of new text for the trail
    try {
      host.Run(ScriptKind::Post);
    } catch (const KavroError& e) {
      EXPECT_EQ(e.Number(), vbs::err::OutOfMemory);
      ++refused;
    }
  }
  EXPECT_GT(refused, 1500);
  // The room, and at most one counting interval (a sixteenth of the budget) past it.
  EXPECT_LT(post.engine->GlobalValue("trail").StringValue().size(), 1'300'000u);
  // Each refusal ended its run at the trail, as an error does (the load ran it once more).
  EXPECT_EQ(vbs::ToDouble(post.engine->GlobalValue("n")), 3001 - refused);
}

TEST_F(ScriptHostTest, ScriptAdjustRecordsHowFarThePostProcessScriptMovedEachOutput) {
  w.Start("", ScriptFileOf(kPostOn,
                           "GET_OUTVALUEOUT 1, v, e\r\n"
                           "SET_SCRIPTBUFFER 1, v, e\r\n"
                           "SET_OUTVALUEOUT 1, v + 0.5, e\r\n"
                           "SET_OUTVALUEOUT 2, \"Not Used\", e\r\n"));
  model.PVarOut[2].ScriptAdjust = 7.25f;
  w.Tick();
  ASSERT_TRUE(w.reported.empty()) << w.reported.front();
  const PVarOutRecord& fuel = model.PVarOut[1];
  EXPECT_EQ(fuel.ValueOut, FormatNumber(model.Store.ScriptBuffer[1] + 0.5, "######0.000#"));
  EXPECT_FLOAT_EQ(fuel.ScriptAdjust, 0.5f);
  EXPECT_EQ(model.PVarOut[2].ValueOut, kNotUsed);
  EXPECT_FLOAT_EQ(model.PVarOut[2].ScriptAdjust, 7.25f);  // "Not Used" keeps the old value

  // Switched off, the script moves nothing and ScriptAdjust stays as the last run left it.
  w.Command("mnuPostProcessExe");
  w.Tick();
  EXPECT_FLOAT_EQ(fuel.ScriptAdjust, 0.5f);
}

TEST_F(ScriptHostTest, ScriptDialogsReachTheOperator) {
  w.Start("", "");
  w.dir.Write("FLC_Pre.scp", ScriptFileOf(kPreOn,
                                          "a = MsgBox(\"Go on?\", vbYesNo + vbQuestion)\r\n"
                                          "t = InputBox(\"Trip value\", \"Fuel hold\", \"40\")\r\n"
                                          "d = Now\r\n"));
  w.world.op.answers.push_back(MsgAnswer::No);
  w.world.op.inputs.push_back(std::string("42"));
  host.Load(ScriptKind::Pre);
  ASSERT_EQ(w.world.op.messages.size(), 1u);
  EXPECT_EQ(w.world.op.messages[0].text, "Go on?");
  EXPECT_EQ(w.world.op.messages[0].title, "VBScript");
  EXPECT_EQ(w.world.op.messages[0].icon, MsgIcon::Question);
  EXPECT_EQ(w.world.op.messages[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(vbs::ToLong(pre.engine->GlobalValue("a")), 7);  // vbNo
  EXPECT_EQ(pre.engine->GlobalValue("t").StringValue(), "42");
  EXPECT_EQ(w.world.op.prompts, std::vector<std::string>{"Trip value"});
  // The fake clock's 5 Dec 2026 12:00 as a date value.
  EXPECT_DOUBLE_EQ(pre.engine->GlobalValue("d").DoubleValue(), 46361.5);
}

}  // namespace
}  // namespace kavro::test
