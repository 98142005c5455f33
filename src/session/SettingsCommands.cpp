#include "session/SettingsCommands.h"

#include "display/ControllerSettingsView.h"
#include "display/StatusFrame.h"
#include "display/VariableEditorView.h"

namespace kavro {

void ClickMainGridAndOpen(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                          int row, int col) {
  switch (ClickMainGrid(controller, edits, audit, row, col)) {
    case PanelToOpen::ControllerSettings:
      ShowControllerSettings(controller, edits.settings);
      break;
    case PanelToOpen::VariableEditor:
      ShowVariableEditor(controller, edits.variable, col);
      break;
    case PanelToOpen::None:
      break;
  }
}

bool AcceptControllerSettings(Controller& controller, ControllerSettingsPanel& panel,
                              AuditTrail& audit) {
  if (!ApplyControllerSettings(controller, panel, audit)) return false;
  HideControllerSettings(panel);
  ShowDebugLinkItem(controller);
  return true;
}

bool AcceptVariableEdit(Controller& controller, VariableEditor& editor, AuditTrail& audit) {
  if (!ApplyVariableEdit(controller, editor, audit)) return false;
  ShowVariableStored(controller, editor);
  return true;
}

void LeaveVariableEdit(Controller& controller, VariableEditor& editor) {
  if (CancelVariableEdit(controller)) HideVariableEditor(editor);
}

}  // namespace kavro
