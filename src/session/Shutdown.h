#pragma once
// Ending the controller: only File / Exit ends it, after its questions; every other request to
// close the main window is refused with a notice, and control goes on.
#include "model/Controller.h"

namespace kavro {

// A close request that does not come from File / Exit. Always refused: returns false.
bool FLControlQueryUnload(Controller& controller);

// File / Exit: asks about unsaved changes (when there are any), then asks to confirm. Yes to
// both sets model.ExitRequested; the program then ends at once without saving or writing.
void mnuExit_Click(Controller& controller);

}  // namespace kavro
