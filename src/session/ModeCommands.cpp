#include "session/ModeCommands.h"

#include "display/MenuTree.h"
#include "display/StatusFrame.h"
#include "engine/EventNotes.h"

namespace kavro {

namespace {

void NoteModeChange(Controller& c, bool toFile) {
  if (c.model.ToFileMode == toFile) return;
  NoteEvent(c, EventKind::Control,
            std::string("Control mode changed to ") + (toFile ? "To File" : "To DCS"));
}

}  // namespace

void mnuToDCS(Controller& c) {
  NoteModeChange(c, false);
  c.model.ToFileMode = false;
  c.model.ControlMode = kModeDCS;
  ShowModeChecks(c);
  ShowStatusFrame(c);
}

void mnuToFile(Controller& c) {
  NoteModeChange(c, true);
  c.model.ToFileMode = true;
  c.model.ControlMode = kModeFile;
  ShowModeChecks(c);
  ShowStatusFrame(c);
}

}  // namespace kavro
