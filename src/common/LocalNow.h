#pragma once
// The machine's local date and time, for the programs beside the controller; the controller
// itself reads the time through its Clock port.
#include "common/DateText.h"

namespace kavro {

DateTime LocalNow();

}  // namespace kavro
