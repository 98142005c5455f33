#pragma once
// Values the link reads from the DCS every cycle (the run frequency, each variable's high and low
// targets and process value, an output's move limits) cannot be edited while the link is on: the
// next read would overwrite the edit silently and the audit trail would hold a change that never
// took. An edit of such a value is refused.
#include <string>

#include "model/Controller.h"

namespace kavro {

// Whether the link, being on, reads this value from the DCS: the value's tag is set.
bool DcsSuppliesValue(const ControllerModel& model, const std::string& tag);

// The tag the link reads a variable's value field from (PVHigh, PVLow, PVIN, Max_Change,
// Change_Time, Wait_Change), from the same list the link reads by; null for any other field.
const std::string* DcsTagOfValue(const ControllerModel& model, const float& field);

// "The DCS supplies <what> while the link is on (tag <tag>): switch the link off to change it
// here", shown as every refused edit is.
void RefuseDcsSuppliedEdit(Controller& controller, const std::string& what, const std::string& tag);

}  // namespace kavro
