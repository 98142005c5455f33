#pragma once
// A click on the main grid: while the screen is locked only the lock message; otherwise row 1
// asks for the controller settings panel (column 1) or the variable editor (a variable's
// column), which the session then shows, and a click on a rule's operator or term cell steps it
// to the next allowed value.
#include "edit/AuditTrail.h"
#include "edit/EditState.h"
#include "model/Controller.h"

namespace kavro {

// The configuration panel a click asks to open.
enum class PanelToOpen { None, ControllerSettings, VariableEditor };

PanelToOpen ClickMainGrid(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                          int row, int col);

// The operator after name: the next of OperatorNames 1..6, slot 6 wrapping to slot 1; a name
// that is not one of them gives slot 1.
std::string NextOperatorName(const ControllerModel& model, const std::string& name);

// The term after text for the variable of term slot j: "Not Used" -> zone 1's name -> ... ->
// zone 7's name -> "Not Used"; any other text gives zone 1's name. The first zone whose name
// equals text counts.
std::string NextTermName(const ControllerModel& model, int termSlot, const std::string& text);

}  // namespace kavro
