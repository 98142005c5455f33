#include "session/ScriptCommands.h"

#include "display/GridValues.h"
#include "display/StatusFrame.h"

namespace kavro {

void ToggleScriptExecute(Controller& controller, ScriptHost& host, ScriptKind kind) {
  bool& on = host.Script(kind).on;
  on = !on;
  ShowStatusFrame(controller);
  if (!on && kind == ScriptKind::Post) BlankScriptAdjustCells(controller.grid);
  controller.ports.op->MessageBox(
      "To Remember The Script ON/OFF selection, Please SAVE the Script From The Script Screen",
      controller.model.ProductName, MsgIcon::Information, MsgButtons::OK);
}

}  // namespace kavro
