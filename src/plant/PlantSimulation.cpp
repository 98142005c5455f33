#include "plant/PlantSimulation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kavro {

PlantSimulation::PlantSimulation(PlantDescription plant)
    : plant_(std::move(plant)),
      outputs_(plant_.outputs.size()),
      outputPast_(plant_.outputs.size()),
      responses_(plant_.responses.size(), 0.0),
      inputs_(plant_.inputs.size()),
      random_(plant_.seed) {
  for (std::size_t k = 0; k < outputs_.size(); ++k) outputs_[k] = plant_.outputs[k].start;
  for (std::size_t i = 0; i < inputs_.size(); ++i) inputs_[i] = plant_.inputs[i].start;
  for (const PlantResponse& given : plant_.responses) {
    const PlantResponse r = ScaledResponse(plant_, given);
    RunningResponse run;
    run.input = r.input;
    run.output = r.output;
    run.gain = r.gain;
    // The exact step of a first-order lag, stable for any step length.
    run.share = r.timeConstant > 0 ? 1.0 - std::exp(-kStepSeconds / r.timeConstant) : 1.0;
    run.deadSteps = static_cast<std::size_t>(std::lround(r.deadTime / kStepSeconds));
    // Remember the outputs for the dead times: as many steps as the longest dead time needs.
    keepSteps_ = std::max(keepSteps_, run.deadSteps + 1);
    running_.push_back(run);
  }
}

double PlantSimulation::OutputAgo(std::size_t output, std::size_t steps) const {
  const auto& past = outputPast_[output];
  // Before the plant's first step the output stood at its START, whatever was written since.
  if (steps >= past.size()) return plant_.outputs[output].start;
  return past[steps];
}

double PlantSimulation::LoadChanges(const PlantInput& in) const {
  double change = 0;
  for (const PlantSine& sine : in.disturbances) {
    if (sine.period > 0) {
      change += sine.amplitude * std::sin(2 * std::numbers::pi * time_ / sine.period);
    }
  }
  for (const PlantStep& step : in.steps) {
    if (time_ >= step.time) change += step.amplitude;
  }
  for (const PlantRamp& ramp : in.ramps) {
    const double seconds = std::clamp(time_, ramp.from, ramp.to) - ramp.from;
    change += ramp.ratePerHour * seconds / 3600.0;
  }
  return change;
}

void PlantSimulation::Step() {
  time_ += kStepSeconds;
  for (std::size_t k = 0; k < outputs_.size(); ++k) {
    outputPast_[k].push_front(outputs_[k]);
    if (outputPast_[k].size() > keepSteps_) outputPast_[k].pop_back();
  }

  for (std::size_t i = 0; i < inputs_.size(); ++i) inputs_[i] = plant_.inputs[i].start;
  for (std::size_t n = 0; n < running_.size(); ++n) {
    const RunningResponse& r = running_[n];
    const double move = OutputAgo(r.output, r.deadSteps) - plant_.outputs[r.output].start;
    responses_[n] += r.share * (r.gain * move - responses_[n]);
    inputs_[r.input] += responses_[n];
  }
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    const PlantInput& in = plant_.inputs[i];
    inputs_[i] += LoadChanges(in);
    if (in.noise > 0) inputs_[i] += in.noise * normal_(random_);
  }
}

PlantSimulation::TagRef PlantSimulation::Find(const std::string& tag) const {
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    if (plant_.inputs[i].tag == tag) return {TagRef::Kind::Input, i};
  }
  for (std::size_t k = 0; k < outputs_.size(); ++k) {
    if (plant_.outputs[k].pvTag == tag) return {TagRef::Kind::Output, k};
  }
  for (std::size_t v = 0; v < plant_.values.size(); ++v) {
    if (plant_.values[v].tag == tag) return {TagRef::Kind::Value, v};
  }
  return {};
}

double PlantSimulation::Read(TagRef ref) const {
  switch (ref.kind) {
    case TagRef::Kind::Input:
      return inputs_[ref.index];
    case TagRef::Kind::Output:
      return outputs_[ref.index];
    case TagRef::Kind::Value:
      return plant_.values[ref.index].value;
    case TagRef::Kind::Unknown:
      break;
  }
  return 0;
}

std::optional<double> PlantSimulation::Read(const std::string& tag) const {
  const TagRef ref = Find(tag);
  if (ref.kind != TagRef::Kind::Unknown) return Read(ref);
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

}  // namespace kavro
