#include "session/ScriptCommands.h"

#include "display/StatusFrame.h"
#include "model/MainGrid.h"

namespace kavro {
namespace {

// Row 6 of the output columns shows ScriptAdjust while the post-process script is ON.
void BlankScriptAdjustCells(MainGrid& grid) {
  for (int k = 1; k <= NumOut; ++k) {
    grid.At(grid::ActiveZoneDegreeRow(1), grid::OutputColumn(k)).text.clear();
  }
}

}  // namespace

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
