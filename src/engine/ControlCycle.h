#pragma once
// One tick of Timer1: one control cycle, from the link read to the re-arming of the timer.
#include "engine/CycleSteps.h"
#include "engine/EngineMemo.h"
#include "model/Controller.h"

namespace kavro {

// Runs one cycle on the controller in place. The timer is off while it runs; a run-time error
// ends the cycle's work, is reported with its ErrorStep through ReportRunTimeError, and the
// timer is re-armed all the same, so control never stops. memo is what the engine remembers from
// the cycles before (see EngineMemo); without one every step is worked out afresh.
void Timer1Tick(Controller& controller, const CycleSteps& steps, EngineMemo& memo);
void Timer1Tick(Controller& controller, const CycleSteps& steps);

// The last step: arms Timer1 so that cycles start RunFrequency seconds apart, with at least 1 s
// from this cycle's end, and writes the "Last Run" caption. t0 is the time of day (seconds)
// at which the cycle started; a cycle that crossed midnight is measured across it.
void RearmTimer(Controller& controller, const CycleSteps& steps, float t0);

}  // namespace kavro
