#include "tune/Scenarios.h"

namespace kavro {
namespace {

Scenario Reseeded(const PlantDescription& plant, uint32_t offset, std::string name) {
  Scenario s{std::move(name), plant};
  s.plant.seed = plant.seed + offset;
  return s;
}

void Scale(Scenario& s, double gain, double time) {
  s.plant.gainScale *= gain;
  s.plant.timeScale *= time;
}

void ScaleLoads(Scenario& s, double factor) {
  for (PlantInput& in : s.plant.inputs) {
    for (PlantSine& sine : in.disturbances) sine.amplitude *= factor;
    for (PlantStep& step : in.steps) step.amplitude *= factor;
    for (PlantRamp& ramp : in.ramps) ramp.ratePerHour *= factor;
  }
}

void MoveSteps(Scenario& s, double seconds, double factor) {
  for (PlantInput& in : s.plant.inputs) {
    for (PlantStep& step : in.steps) {
      step.time += seconds;
      step.amplitude *= factor;
    }
  }
}

}  // namespace

std::vector<Scenario> TuningScenarios(const PlantDescription& plant) {
  std::vector<Scenario> scenarios;
  scenarios.push_back(Reseeded(plant, 0, "as given"));
  scenarios.push_back(Reseeded(plant, 1, "gains and times x0.8"));
  Scale(scenarios.back(), 0.8, 0.8);
  scenarios.push_back(Reseeded(plant, 2, "gains and times x1.25"));
  Scale(scenarios.back(), 1.25, 1.25);
  scenarios.push_back(Reseeded(plant, 3, "disturbances and steps x2"));
  ScaleLoads(scenarios.back(), 2);
  return scenarios;
}

std::vector<Scenario> UnseenScenarios(const PlantDescription& plant) {
  std::vector<Scenario> scenarios;
  scenarios.push_back(Reseeded(plant, 101, "gains x1.33, times x1.4"));
  Scale(scenarios.back(), 1.33, 1.4);
  scenarios.push_back(Reseeded(plant, 102, "steps 2 h later, x1.5"));
  MoveSteps(scenarios.back(), 7200, 1.5);
  scenarios.push_back(Reseeded(plant, 103, "gains x1.33, times x1.4, steps 2 h later"));
  Scale(scenarios.back(), 1.33, 1.4);
  MoveSteps(scenarios.back(), 7200, 1);
  return scenarios;
}

}  // namespace kavro
