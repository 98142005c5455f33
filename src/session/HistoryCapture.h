#pragma once
// What the plant history keeps of the controller after a cycle: the record of the cycle and the
// configuration it ran under.
#include <string>

#include "history/CycleRecord.h"
#include "model/Controller.h"

namespace kavro {

// The cycle just run, which started at start (the clock's date and time, and its seconds of the
// day for the fraction). errorText: the cycle's first run-time error report, empty
// when it ran clean; its number and the step being worked on (errorStep) go into the record.
CycleRecord CaptureCycle(const Controller& controller, const DateTime& start, double startSeconds,
                         const std::string& errorText, int errorStep);
ConfigRevision CaptureConfig(const ControllerModel& model);

}  // namespace kavro
