#pragma once
// Start-up of the controller: the program-wide defaults set before the main window exists, and
// the main window's load handler that reads FLC.dat, builds the display, restores the output
// mode and arms the first cycle 2 s later. Steps that belong to the link and the scripts run
// through StartupSteps; a hook left empty does nothing, so start-up runs headless and in tests.
#include <functional>
#include <string>

#include "model/Controller.h"

namespace kavro {

// What loading one script left behind.
struct ScriptLoadOutcome {
  bool loadError = false;  // the script could not be loaded or initialised; the host keeps it off
  bool scriptOn = false;   // the script is loaded and switched on
};

struct StartupSteps {
  // Lays the window's controls out for the screen and centres the window (the window fills it).
  std::function<void(Controller&)> layoutWindow;
  // Deletes the stale link output file WorkDir/Name1.OUT (skipping a name unfit for a path).
  std::function<void(Controller&)> deleteStaleLinkOutput;
  // Load the pre- and post-process scripts from FLC_Pre.scp / FLC_Post.scp.
  std::function<ScriptLoadOutcome(Controller&)> loadPreScript;
  std::function<ScriptLoadOutcome(Controller&)> loadPostScript;
  // Clears the script store slots 1..16.
  std::function<void(Controller&)> clearScriptStore;
  // Switches the link on by itself when the configuration asks for it (after the mode is set).
  std::function<void(Controller&)> autoStartLink;
};

// The first timer interval: the first control cycle starts 2 s after the window has loaded.
inline constexpr int kFirstCycleDelayMs = 2000;

// Steps 1 and 3 to 4: product name, working directory, version, the program-wide start values
// and the table defaults. workDir is the process's current directory.
void SetProgramDefaults(Controller& controller, const std::string& workDir);

// The main window's load handler FLControl_Load: steps 5 to 24. Failures from step 12 on are
// passed over one by one (each noted in the event log), so the first cycle is always armed.
// Returns false when FLC.dat failed to read (the reader has shown why).
bool FLControlLoad(Controller& controller, const StartupSteps& steps);

}  // namespace kavro
