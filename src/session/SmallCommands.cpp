#include "session/SmallCommands.h"

#include "display/MenuTree.h"
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
  if (c.model.ScreenLocked) {
    c.model.ScreenLocked = false;
    c.model.LockCountdown = kUnlockSeconds;
  } else {
    c.model.ScreenLocked = true;
    c.model.LockCountdown = 0;
  }
}

void mnuSlope(Controller& c) {
  // The check mark is what the operator saw: its opposite becomes the slope correction.
  c.model.FLCBlock.SlopeCorr = !c.window.menus->mnuSlopeChecked;
  ShowSlopeCheck(c);
}

}  // namespace kavro
