#pragma once
// The plants a configuration is tuned and judged on, made from the plant file so that the tuner
// does not tune to one noise sequence. Tuning: the plant as it is; another seed with every
// response's gain and times at 0.8; another at 1.25; another with its disturbances, steps and
// drifts doubled. Unseen (for the report only): other seeds with gains 1.33 and times 1.4, with
// the load steps moved two hours later and half as large again, and both at once.
#include <string>
#include <vector>

#include "plant/PlantDescription.h"

namespace kavro {

struct Scenario {
  std::string name;
  PlantDescription plant;
};

std::vector<Scenario> TuningScenarios(const PlantDescription& plant);
std::vector<Scenario> UnseenScenarios(const PlantDescription& plant);

}  // namespace kavro
