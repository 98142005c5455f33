#pragma once
// What differs between two configurations, field by field, named as an engineer reads them:
// "FUEL zone 3 (UP) point 2: 40.000 -> 42.500", "R7 operator: MIN -> PROD". Values are compared
// as FLC.dat holds them, so two configurations that save to the same file do not differ.
#include <string>
#include <vector>

#include "model/ControllerModel.h"

namespace kavro {

// One line per differing field, in file order; empty when the two save alike. The save date
// is not a difference. Variables and zones are named as in `before`, or as in `after` where
// `before` leaves them unnamed.
std::vector<std::string> ConfigDifferences(const ControllerModel& before,
                                           const ControllerModel& after);

}  // namespace kavro
