#pragma once
// The status display refresh: writes the controller's current state into the main grid, the
// output strip, the status frame, the link error line and the index and clamp labels. It
// computes nothing of the engine; it formats and shows what the engine and the link produced.
// The trend plot is redrawn by its own refresh step after this one.
#include "model/Controller.h"

namespace kavro {

// Runs every cycle (unless minimised or CycleHold), after the main display build, and after
// the configuration panel is accepted. A rule Strength that is neither "Not Used" nor a number
// throws KavroError (the cycle reports it at location 13).
void RefreshStatus(Controller& controller);

}  // namespace kavro
