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
// editor's entries as the operator typed them. While the link is on, an output number whose DCS
// tag is set (Max Change, Change Time, Wait Change) comes from the DCS: typing another value over
// it is such a failure, and left as loaded it keeps the DCS's present value. When everything
// reads, the items, the output type and the zones are stored and each changed field recorded in
// the audit trail. Returns whether it stored; the caller then closes the editor and refreshes the
// status display.
bool ApplyVariableEdit(Controller& controller, VariableEditor& editor, AuditTrail& audit);

// cmdCancel: with changes pending, asks whether to leave them. Returns whether the operator
// leaves the editor (no changes pending, or Yes). The model is never touched here.
bool CancelVariableEdit(Controller& controller);

}  // namespace kavro
