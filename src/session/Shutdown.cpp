#include "session/Shutdown.h"

#include "model/CycleHold.h"

namespace kavro {

bool FLControlQueryUnload(Controller& c) {
  CycleHoldGuard hold(c.model);
  c.ports.op->MessageBox("Please Exit via the File, Exit Menu Option", c.model.ProductName,
                         MsgIcon::Critical, MsgButtons::OK);
  return false;
}

void mnuExit_Click(Controller& c) {
  Operator& op = *c.ports.op;
  const std::string& title = c.model.FLCBlock.Name1;
  if (c.model.ChangesPending &&
      op.MessageBox("Any Changes Made Will Not Be Saved - Continue?", title, MsgIcon::Question,
                    MsgButtons::YesNoDefaultNo) != MsgAnswer::Yes) {
    return;
  }
  c.model.ChangesPending = false;
  // Enter must never end control: both questions default to No.
  if (op.MessageBox("Please Confirm - End Control", title, MsgIcon::Question,
                    MsgButtons::YesNoDefaultNo) == MsgAnswer::Yes) {
    c.model.ExitRequested = true;
  }
}

}  // namespace kavro
