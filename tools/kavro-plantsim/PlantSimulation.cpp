#include "PlantSimulation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kavro::plantsim {

PlantSimulation::PlantSimulation(PlantDescription plant)
    : plant_(std::move(plant)),
      outputs_(plant_.outputs.size()),
      outputPast_(plant_.outputs.size()),
      responses_(plant_.responses.size(), 0.0),
      inputs_(plant_.inputs.size()),
      random_(plant_.seed) {
  for (std::size_t k = 0; k < outputs_.size(); ++k) outputs_[k] = plant_.outputs[k].start;
  for (std::size_t i = 0; i < inputs_.size(); ++i) inputs_[i] = plant_.inputs[i].start;
}

double PlantSimulation::OutputAgo(std::size_t output, double seconds) const {
  const auto& past = outputPast_[output];
  const auto steps = static_cast<std::size_t>(std::lround(seconds / kStepSeconds));
  if (past.empty()) return plant_.outputs[output].start;
  return past[std::min(steps, past.size() - 1)];
}

void PlantSimulation::Step() {
  time_ += kStepSeconds;
  // Remember the outputs for the dead times: as many steps as the longest dead time needs.
  double longestDeadTime = 0;
  for (const auto& r : plant_.responses) longestDeadTime = std::max(longestDeadTime, r.deadTime);
  const auto keep = static_cast<std::size_t>(std::lround(longestDeadTime / kStepSeconds)) + 1;
  for (std::size_t k = 0; k < outputs_.size(); ++k) {
    outputPast_[k].push_front(outputs_[k]);
    if (outputPast_[k].size() > keep) outputPast_[k].pop_back();
  }

  std::vector<double> sum(inputs_.size(), 0.0);
  for (std::size_t n = 0; n < responses_.size(); ++n) {
    const PlantResponse& r = plant_.responses[n];
    const double move = OutputAgo(r.output, r.deadTime) - plant_.outputs[r.output].start;
    const double target = r.gain * move;
    // The exact step of a first-order lag, stable for any step length.
    const double share = r.timeConstant > 0 ? 1.0 - std::exp(-kStepSeconds / r.timeConstant) : 1.0;
    responses_[n] += share * (target - responses_[n]);
    sum[r.input] += responses_[n];
  }
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    const PlantInput& in = plant_.inputs[i];
    double value = in.start + sum[i];
    if (in.disturbancePeriod > 0) {
      value +=
          in.disturbanceAmplitude * std::sin(2 * std::numbers::pi * time_ / in.disturbancePeriod);
    }
    if (in.noise > 0) value += in.noise * normal_(random_);
    inputs_[i] = value;
  }
}

std::optional<double> PlantSimulation::Read(const std::string& tag) const {
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    if (plant_.inputs[i].tag == tag) return inputs_[i];
  }
  for (std::size_t k = 0; k < outputs_.size(); ++k) {
    if (plant_.outputs[k].pvTag == tag) return outputs_[k];
  }
  for (const PlantValue& v : plant_.values) {
    if (v.tag == tag) return v.value;
  }
  if (const auto it = written_.find(tag); it != written_.end()) return it->second;
  return std::nullopt;
}

void PlantSimulation::Write(const std::string& tag, double value) {
  written_[tag] = value;
  for (std::size_t k = 0; k < outputs_.size(); ++k) {
    const PlantOutput& out = plant_.outputs[k];
    if (out.spTag == tag) outputs_[k] = std::clamp(value, out.low, out.high);
  }
}

}  // namespace kavro::plantsim
