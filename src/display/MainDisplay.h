#pragma once
// The main display build: the fixed texts and colours of the main grid and the output strip,
// the title label and the trend scale captions, then a status refresh. Run once at start-up
// and again whenever the number of visible rule rows changes; the window places the controls.
#include "model/Controller.h"

namespace kavro {

void BuildMainDisplay(Controller& controller);

}  // namespace kavro
