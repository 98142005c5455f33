#pragma once
// The name the operator knows a variable by, in messages, warnings and the audit trail.
#include <string>

#include "model/ControllerModel.h"

namespace kavro {

// The variable's name without trailing blanks, or "Input 3" / "Output 1" when it has none.
std::string VariableLabel(const ControllerModel& model, bool isOutput, int slot);

// The same for the variable of rule term slot j.
std::string TermVariableLabel(const ControllerModel& model, int termSlot);

// A rule as the operator knows it: "R7".
std::string RuleLabel(int rule);

}  // namespace kavro
