#pragma once
// Waiting a number of seconds while the window stays alive: link retries and the splash window
// use it. Pending window events run about twenty times a second meanwhile, so
// menu commands and repaints are handled during the wait.
#include "common/ports/Ports.h"

namespace kavro {

// Waits seconds (as measured by ports.clock, across midnight) through ports.events. A negative
// wait, or one without a running clock or a window, returns at once without letting events run.
void WaitSeconds(Ports& ports, float seconds);

}  // namespace kavro
