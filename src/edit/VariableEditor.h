#pragma once
// The variable editor (frameConfig): one input or output variable's items and zones, filled
// from the model when it opens, stored by its OK (cmdOK), left by its Cancel (cmdCancel).
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

// Fills the editor for the variable of the main-grid column and shows it: item values (rows
// 1..5 for an input, 1..12 for an output, the numbers as plain number text), rows 6 and below
// coloured by whether they can be changed, the output-type options for an output only, the
// zone names and the points as "###0.000".
void LoadVariableEditor(const Controller& controller, VariableEditor& editor, int column);

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
