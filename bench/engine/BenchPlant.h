#pragma once
// The configuration the benchmarks run: all 6 inputs and 2 outputs in use, 7 four-point zones
// each, 20 rules that name a zone of every input and of both outputs, and recorded values that
// wander through the zones so that rules fire and stop firing as on a plant.
#include <array>
#include <vector>

#include "model/Controller.h"

namespace kavro::bench {

// Zone z of every input: a trapezoid (points, membership values) over 0..100.
std::array<float, 4> InputZonePoints(int zone);
inline constexpr std::array<float, 4> kZoneValues = {0, 1, 1, 0};
// Zone z of every output asks for this change (its first point; weight 1).
float OutputZoneValue(int zone);
// The zone rule r names for term slot k (1..8).
int RuleZone(int rule, int termSlot);

// The configured controller, its grid showing values and rules; the link is off.
void ConfigurePlant(Controller& controller);

// Recorded input values: sample s of input i (1..6), repeating after a few thousand samples.
class PlantValues {
 public:
  PlantValues();
  float Input(size_t sample, int input) const;
  size_t Count() const { return values_.size() / NumIn; }

 private:
  std::vector<float> values_;
};

}  // namespace kavro::bench
