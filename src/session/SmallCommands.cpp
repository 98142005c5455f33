#include "session/SmallCommands.h"

#include "display/ProgramInfo.h"

namespace kavro {

void mnuAbout(Controller& c) {
  c.ports.op->MessageBox(AboutText(), InfoBoxTitle(c.model.ProductName), MsgIcon::Information,
                         MsgButtons::OK);
}

void mnuErrorCodes(Controller& c) {
  c.ports.op->MessageBox(ErrorCodeListText(), InfoBoxTitle(c.model.ProductName),
                         MsgIcon::Information, MsgButtons::OK);
}

void mnuScreenLock(Controller& c) {
  if (c.window.mnuScreenLockChecked) {
    c.window.mnuScreenLockChecked = false;
    c.model.LockCountdown = kUnlockSeconds;
  } else {
    c.window.mnuScreenLockChecked = true;
    c.model.LockCountdown = 0;
  }
}

void mnuSlope(Controller& c) {
  c.window.mnuSlopeChecked = !c.window.mnuSlopeChecked;
  c.model.FLCBlock.SlopeCorr = c.window.mnuSlopeChecked;
}

}  // namespace kavro
