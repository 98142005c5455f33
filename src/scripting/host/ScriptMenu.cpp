#include "scripting/host/ScriptMenu.h"

#include "model/Colour.h"
#include "model/MainGrid.h"

namespace kavro {
namespace {

bool& MenuChecked(WindowState& window, ScriptKind kind) {
  return kind == ScriptKind::Pre ? window.mnuPreProcessExeChecked : window.mnuPostProcessExeChecked;
}

LabelState& Indicator(WindowState& window, ScriptKind kind) {
  return kind == ScriptKind::Pre ? window.lblPreScript : window.lblPostScript;
}

// Row 6 of the output columns shows ScriptAdjust while the post-process script is ON.
void BlankScriptAdjustCells(MainGrid& grid) {
  for (int k = 1; k <= NumOut; ++k) {
    grid.At(grid::ActiveZoneDegreeRow(1), grid::OutputColumn(k)).text.clear();
  }
}

}  // namespace

void ShowScriptSwitch(WindowState& window, ScriptKind kind, bool on) {
  MenuChecked(window, kind) = on;
  Indicator(window, kind).backColour = on ? PaletteColour(10) : OffColour;
}

void ToggleScriptExecute(Controller& controller, ScriptHost& host, ScriptKind kind) {
  const bool on = !MenuChecked(controller.window, kind);
  host.Script(kind).on = on;
  ShowScriptSwitch(controller.window, kind, on);
  if (!on && kind == ScriptKind::Post) BlankScriptAdjustCells(controller.grid);
  if (Operator* op = controller.ports.op) {
    op->MessageBox(
        "To Remember The Script ON/OFF selection, Please SAVE the Script From The Script Screen",
        controller.model.ProductName, MsgIcon::Information, MsgButtons::OK);
  }
}

void mnuPreProcessExe(Controller& controller, ScriptHost& host) {
  ToggleScriptExecute(controller, host, ScriptKind::Pre);
}

void mnuPostProcessExe(Controller& controller, ScriptHost& host) {
  ToggleScriptExecute(controller, host, ScriptKind::Post);
}

}  // namespace kavro
