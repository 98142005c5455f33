#include "session/Startup.h"

#include <exception>

#include "common/TextUtil.h"
#include "config/ConfigFile.h"
#include "edit/ReadinessCheck.h"
#include "display/MainDisplay.h"
#include "display/MenuTree.h"
#include "display/RuleRowsSelector.h"
#include "display/StatusFrame.h"
#include "engine/EventNotes.h"
#include "session/ModeCommands.h"
#include "engine/RunTimeError.h"

namespace kavro {

void SetProgramDefaults(Controller& c, const std::string& workDir) {
  ResetModel(c.model, workDir);  // ProductName, WorkDir, FLCVersion, the run-time start values
  c.model.Link.LinkStatus = kOff;
  c.model.Link.LinkStatusSent = kOff;
  c.model.Link.SkipNextRead = true;
  ApplyDefaults(c.model);
}

namespace {

// From step 12 on a failing step is passed over so that the first cycle is always armed; the
// operator still learns of it through the event log and its notice.
template <typename Step>
void PassOverFailure(Controller& c, int stepNumber, Step&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    c.events.Add(NowText(c), c.model.ProductName,
                 RunTimeErrorText(AsKavroError(e), "FLControl_Load: ", stepNumber), EventKind::StartUp);
  }
}

// Loads one script; scriptOn is its switch in the model, off until the script is loaded.
void LoadScript(Controller& c, const std::function<ScriptLoadOutcome(Controller&)>& load,
                bool& scriptOn, const char* loadErrorMessage) {
  scriptOn = false;
  ShowStatusFrame(c);
  const ScriptLoadOutcome outcome = load ? load(c) : ScriptLoadOutcome{};
  if (outcome.loadError) {
    c.ports.op->MessageBox(loadErrorMessage, c.model.ProductName, MsgIcon::Exclamation,
                           MsgButtons::OK);
    return;
  }
  scriptOn = outcome.scriptOn;
  ShowStatusFrame(c);
}

}  // namespace

void RunScriptStartupSteps(Controller& c, const StartupSteps& steps) {
  ControllerModel& m = c.model;
  PassOverFailure(c, 17, [&] {
    LoadScript(c, steps.loadPreScript, m.Scripts.PreScriptOn,
               "PreScript Loading/Initializing Error - Resetting It to Null");
  });
  PassOverFailure(c, 18, [&] {
    LoadScript(c, steps.loadPostScript, m.Scripts.PostScriptOn,
               "PostScript Loading/Initializing Error - Resetting It to Null");
  });
  PassOverFailure(c, 19, [&] {
    if (steps.clearScriptStore) steps.clearScriptStore(c);
  });
}

bool FLControlLoad(Controller& c, const StartupSteps& steps) {
  ControllerModel& m = c.model;
  c.ports.timer->Stop();
  if (steps.layoutWindow) steps.layoutWindow(c);
  const bool configFound = c.ports.files->Exists(ConfigPath(m));
  ConfigReadNotes read;
  const bool configRead = ReadConfig(c, &read);  // a missing file is silent; a bad one is reported
  if (!configRead) {
    NoteEvent(c, EventKind::StartUp, "Start-up: FLC.dat could not be read\r\n" + read.failureText);
  } else {
    NoteEvent(c, EventKind::StartUp,
              configFound ? "Start-up: configuration read from " + ConfigPath(m)
                          : "Start-up: no FLC.dat in " + m.WorkDir + ", the controller starts on its defaults");
    // What the reader lets pass but the engineer would not have meant, in the log before the
    // first cycle runs on it.
    if (configFound) NoteReadinessProblems(c);
  }
  for (const std::string& warning : read.warnings) {
    NoteEvent(c, EventKind::StartUp, "Start-up: " + warning);
  }
  ShowCaptions(c);
  FillRuleRowsSelector(c);
  BuildMainDisplay(c);

  PassOverFailure(c, 12, [&] {
    if (steps.deleteStaleLinkOutput) steps.deleteStaleLinkOutput(c);
  });
  PassOverFailure(c, 13, [&] { ShowNoCycleTimes(c); });
  PassOverFailure(c, 14, [&] { ShowSlopeCheck(c); });
  // The status frame shows whether Debug Link can be opened (step 15) with the link state.
  PassOverFailure(c, 16, [&] { ShowStatusFrame(c); });
  RunScriptStartupSteps(c, steps);
  PassOverFailure(c, 20, [&] { ShowSaveModeCheck(c, false); });
  PassOverFailure(c, 21, [&] {
    if (m.ControlMode == kModeDCS) {
      mnuToDCS(c);
    } else {
      mnuToFile(c);
    }
  });
  PassOverFailure(c, 21, [&] {
    if (!steps.autoStartLink) return;
    if (configRead) return steps.autoStartLink(c);
    // A file cut short or broken in its middle leaves half a configuration, which must not take
    // up the plant by itself; the operator can still switch the link on knowingly.
    if (m.RestartInterface) {
      NoteEvent(c, EventKind::Link,
                "Start-up: the link is left OFF because FLC.dat could not be read whole");
    }
  });
  PassOverFailure(c, 22, [&] {
    m.ScreenLocked = true;
    m.LockCountdown = 0;
  });
  PassOverFailure(c, 23, [&] { m.CycleHasRun = false; });
  c.ports.timer->Arm(kFirstCycleDelayMs);
  return configRead;
}

}  // namespace kavro
