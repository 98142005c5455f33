#include "session/ModeCommands.h"

#include "display/StatusFrame.h"

namespace kavro {

void mnuToDCS(Controller& c) {
  c.model.ToFileMode = false;
  c.model.ControlMode = kModeDCS;
  c.window.mnuToDCSChecked = true;
  c.window.mnuToFileChecked = false;
  ShowStatusFrame(c);
}

void mnuToFile(Controller& c) {
  c.model.ToFileMode = true;
  c.model.ControlMode = kModeFile;
  c.window.mnuToDCSChecked = false;
  c.window.mnuToFileChecked = true;
  ShowStatusFrame(c);
}

}  // namespace kavro
