#include "session/ModeCommands.h"

namespace kavro {

void mnuToDCS(Controller& c) {
  c.model.ToFileMode = false;
  c.window.mnuToDCSChecked = true;
  c.window.mnuToFileChecked = false;
  c.window.lblMode.backColour = PaletteColour(10);
  c.window.lblMode.caption = "To DCS";
  c.model.ControlMode = kModeDCS;
}

void mnuToFile(Controller& c) {
  c.model.ToFileMode = true;
  c.window.mnuToDCSChecked = false;
  c.window.mnuToFileChecked = true;
  c.window.lblMode.backColour = OffColour;
  c.window.lblMode.caption = "To File";
  c.model.ControlMode = kModeFile;
}

}  // namespace kavro
