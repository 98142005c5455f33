#pragma once
// The variable editor (frameConfig) as the operator types into it: one input or output
// variable's items and zones, stored by its OK (cmdOK), left by its Cancel (cmdCancel). What it
// shows when it opens on a column is display/'s.
#include "edit/AuditTrail.h"
#include "edit/EditState.h"
#include "model/Controller.h"
#include "model/VariableLabel.h"

namespace kavro {

// The variable of a main-grid column: an input when the column is below the column count less
// NumOut (input column - 1), otherwise an output (output column - NumIn - 1).
struct EditedVariable {
  bool isOutput;
  int slot;
};
EditedVariable VariableOfColumn(int column);

// cmdOK. The zone points are checked for ascending order and every number is read before
// anything is stored; the first failure is shown and the model is left exactly as it was, the
// editor open with the operator's entries. While the link is on, an output number whose DCS tag
// is set (Max Change, Change Time, Wait Change) comes from the DCS: typing another value over
// it is such a failure, and left as loaded it keeps the DCS's present value. When everything reads,
// the items, the output type and the zones are stored, each changed field recorded in the audit
// trail, the editor hidden and its warnings set to the readiness problems of this variable. Returns
// whether it stored; the caller then refreshes the status display.
bool ApplyVariableEdit(Controller& controller, VariableEditor& editor, AuditTrail& audit);

// cmdCancel: with changes pending, asks whether to leave them; on No nothing happens. The
// model is never touched here.
void CancelVariableEdit(Controller& controller, VariableEditor& editor);

}  // namespace kavro
