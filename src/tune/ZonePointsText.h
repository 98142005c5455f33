#pragma once
// The tuned FLC.dat: the original file's bytes with only the zone point lines replaced, so that
// a diff shows the tuning and nothing else (comments of other tools, the date line and every
// other field stay as they were).
#include <string>

#include "model/ControllerModel.h"

namespace kavro {

// Throws TuneInputError when the file's zone blocks are not where the reader found them.
std::string WithZonePoints(const std::string& original, const ControllerModel& tuned);

}  // namespace kavro
