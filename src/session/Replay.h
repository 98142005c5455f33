#pragma once
// Offline replay: the real control cycle run over a recorded plant trace, one cycle per trace
// row, as fast as it runs, with one result row per cycle. What an engineer uses to try a rule
// base before switching it on.
#include <iosfwd>
#include <string>

#include "common/DateText.h"
#include "engine/CycleSteps.h"
#include "session/TraceFile.h"
#include "model/Controller.h"

namespace kavro {

// Loads the controller as start-up does, headless: program defaults, WorkDir/FLC.dat (a failure
// of the reader goes to the operator port), the main display, the output mode from ControlMode.
// The link stays off; the scripts are loaded by RunReplay. Returns false when FLC.dat failed to read.
bool LoadForReplay(Controller& controller, const std::string& workDir);

// The result file's header: cycle; per used output NAME.ValueOut, NAME.SendOutput,
// NAME.ClampIncrease, NAME.ClampDecrease; ErrorCodeValue; R1..R20; per used input NAME.VarIndex.
std::string ReplayHeader(const ControllerModel& model);

struct ReplaySummary {
  long cycles = 0;           // cycles run, one per trace row
  long failedCycles = 0;     // cycles that reported at least one error
  long lastFailedCycle = 0;
};

// Runs every row of the trace through Timer1Tick on a controller whose configuration is loaded
// and whose grid shows it, with the link off. The cycles are timed by a clock that starts at
// start and moves RunFrequency seconds per cycle. Result rows (header first) go to out as they
// are made; each cycle error goes to errors with its three lines. With withScripts the working
// folder's pre- and post-process scripts are loaded first, as start-up loads them (ON or OFF
// as their files say), and run in each cycle as the controller runs them; their errors are
// cycle errors like any other. The controller's ports are its own again afterwards, however
// the replay ends. The rows are made and written to out on a thread of their own while the
// cycles run: nothing else may touch out until the replay returns (it is never errors, nor a
// stream that errors or the operator's messages flush, as std::cerr flushes std::cout).
ReplaySummary RunReplay(Controller& controller, TraceReader& trace, const DateTime& start,
                        std::ostream& out, std::ostream& errors, bool withScripts = true);
// The same over a trace held in memory.
ReplaySummary RunReplay(Controller& controller, const Trace& trace, const DateTime& start,
                        std::ostream& out, std::ostream& errors, bool withScripts = true);

}  // namespace kavro
