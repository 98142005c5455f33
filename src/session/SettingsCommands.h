#pragma once
// The configuration panels as the window runs them: edit/ takes the operator's click or OK,
// display/ shows what follows from it.
#include "edit/AuditTrail.h"
#include "edit/ControllerSettings.h"
#include "edit/MainGridClick.h"
#include "edit/VariableEditor.h"
#include "model/Controller.h"

namespace kavro {

// A click on the main grid as ClickMainGrid takes it; a click on the Config row then shows the
// controller settings panel or the variable editor of the column, filled from the model.
void ClickMainGridAndOpen(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                          int row, int col);

// Stores the panel as ApplyControllerSettings does and closes it; once stored, a new
// Program_Interface may change the kind of link Debug Link serves, so the menu shows whether it
// can open. Returns whether the panel was stored.
bool AcceptControllerSettings(Controller& controller, ControllerSettingsPanel& panel,
                              AuditTrail& audit);

// The variable editor's OK: stores it as ApplyVariableEdit does, then closes it and shows the
// variable's readiness warnings. Returns whether it stored.
bool AcceptVariableEdit(Controller& controller, VariableEditor& editor, AuditTrail& audit);

// The variable editor's Cancel: closes it when CancelVariableEdit lets the operator leave.
void LeaveVariableEdit(Controller& controller, VariableEditor& editor);

}  // namespace kavro
