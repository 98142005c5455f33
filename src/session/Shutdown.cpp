#include "session/Shutdown.h"

namespace kavro {

bool FLControlQueryUnload(Controller& c) {
  c.model.CycleHold = true;
  c.ports.op->MessageBox("Please Exit via the File, Exit Menu Option", c.model.ProductName,
                         MsgIcon::Critical, MsgButtons::OK);
  c.model.CycleHold = false;
  return false;
}

void mnuExit_Click(Controller& c) {
  Operator& op = *c.ports.op;
  const std::string& title = c.model.FLCBlock.Name1;
  if (c.model.ChangesPending &&
      op.MessageBox("Any Changes Made Will Not Be Saved - Continue?", title, MsgIcon::Question,
                    MsgButtons::YesNo) != MsgAnswer::Yes) {
    return;
  }
  c.model.ChangesPending = false;
  if (op.MessageBox("Please Confirm - End Control", title, MsgIcon::Question,
                    MsgButtons::YesNo) == MsgAnswer::Yes) {
    c.window.exitRequested = true;
  }
}

}  // namespace kavro
