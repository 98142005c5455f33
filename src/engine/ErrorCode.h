#pragma once
// The error code sent to the DCS: -90 in To File mode, minus 1 / 2 (output 1) and 10 / 20
// (output 2) for blocked increases / decreases, replaced by 1 or 2 for a failed link read or
// write (2 wins).
#include "model/ControllerModel.h"

namespace kavro {

// Composes ErrorCodeValue from ToFileMode, the output blocks and the link error flags.
void ComposeErrorCode(ControllerModel& model);

}  // namespace kavro
