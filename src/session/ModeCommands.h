#pragma once
// The output mode: To DCS sends the outputs to the DCS, To File only to a file. The mode takes
// effect at the next link write and in the error code (-90).
#include "model/Controller.h"

namespace kavro {

void mnuToDCS(Controller& controller);
void mnuToFile(Controller& controller);

}  // namespace kavro
