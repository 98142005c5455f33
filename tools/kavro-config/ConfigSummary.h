#pragma once
// The summary kavro-config prints of a configuration: what an engineer checks before putting it
// on a plant.
#include <string>

#include "model/ControllerModel.h"

namespace kavro {

std::string ConfigSummary(const ControllerModel& model);

}  // namespace kavro
