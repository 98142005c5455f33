#include "tune/Baseline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/NumberText.h"
#include "common/SafeText.h"
#include "common/TextUtil.h"
#include "tune/ClosedLoop.h"

namespace kavro {
namespace {

int InputSlotOf(const ControllerModel& model, const std::string& tag) {
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i]) && TrimRight(model.PVarIn[i].DCSTagPV) == tag) return i;
  }
  return 0;
}

int OutputSlotOf(const ControllerModel& model, const std::string& tag) {
  for (int o = 1; o <= NumOut; ++o) {
    if (IsUsed(model.PVarOut[o]) && TrimRight(model.PVarOut[o].DCSTagPV) == tag) return o;
  }
  return 0;
}

// The plant's response of that input to that output, if it has one.
std::optional<PlantResponse> ResponseOf(const PlantDescription& plant, const std::string& input,
                                        const std::string& output) {
  for (const PlantResponse& r : plant.responses) {
    if (plant.inputs[r.input].tag == input && plant.outputs[r.output].pvTag == output) {
      return ScaledResponse(plant, r);
    }
  }
  return std::nullopt;
}

// A limit as the plant's DCS holds it, else as the configuration has it.
double LimitOf(const PlantDescription& plant, const std::string& tag, float configured) {
  for (const PlantValue& v : plant.values) {
    if (v.tag == TrimRight(tag)) return v.value;
  }
  return configured;
}

// How far the output moves the input over the output's range, in halves of the input's band.
double Effect(const ControllerModel& model, const PlantDescription& plant, int input, int output,
              const PlantResponse& r) {
  const PVarInRecord& in = model.PVarIn[input];
  const PVarOutRecord& out = model.PVarOut[output];
  const double band = LimitOf(plant, in.DCSTagHigh, in.PVHigh) - LimitOf(plant, in.DCSTagLow, in.PVLow);
  const double range =
      LimitOf(plant, out.DCSTagHigh, out.PVHigh) - LimitOf(plant, out.DCSTagLow, out.PVLow);
  return std::abs(r.gain) * (range > 0 ? range : 1.0) / (band > 0 ? band / 2 : 1.0);
}

}  // namespace

void SimcSettings(const PiSettings& given, double& kc, double& tiSeconds) {
  const double theta = given.deadTime + given.periodSeconds / 2 + given.filterSeconds / 2;
  const double tau = given.timeConstant + given.filterSeconds / 2;
  const double tc = theta;
  kc = given.gain != 0 ? tau / (given.gain * (tc + std::max(theta, 1e-9))) : 0;
  tiSeconds = std::max(std::min(tau, 4 * (tc + theta)), given.periodSeconds);
}

std::vector<PiLoop> PlanBaseline(const ControllerModel& model, const PlantDescription& plant,
                                 const BaselineOptions& options) {
  std::vector<PiLoop> loops;
  std::vector<int> taken;
  for (const auto& [inputTag, outputTag] : options.pairs) {
    PiLoop loop;
    loop.input = InputSlotOf(model, inputTag);
    loop.output = OutputSlotOf(model, outputTag);
    if (loop.input == 0) throw TuneInputError("--pair: no input in use has the tag " + SafeText(inputTag));
    if (loop.output == 0) throw TuneInputError("--pair: no output in use has the tag " + SafeText(outputTag));
    const auto response = ResponseOf(plant, inputTag, outputTag);
    if (!response) {
      throw TuneInputError("--pair: the plant has no response of " + SafeText(inputTag) + " to " +
                           SafeText(outputTag));
    }
    loop.response = *response;
    loops.push_back(loop);
  }
  for (int o = 1; o <= NumOut; ++o) {
    if (!IsUsed(model.PVarOut[o])) continue;
    if (std::any_of(loops.begin(), loops.end(), [o](const PiLoop& l) { return l.output == o; })) {
      continue;
    }
    const std::string outputTag = TrimRight(model.PVarOut[o].DCSTagPV);
    PiLoop best;
    double bestEffect = -1;
    bool bestFree = false;
    for (int i = 1; i <= NumIn; ++i) {
      if (!IsUsed(model.PVarIn[i])) continue;
      const auto response = ResponseOf(plant, TrimRight(model.PVarIn[i].DCSTagPV), outputTag);
      if (!response || response->gain == 0) continue;
      const bool free = std::none_of(loops.begin(), loops.end(),
                                     [i](const PiLoop& l) { return l.input == i; });
      const double effect = Effect(model, plant, i, o, *response);
      if ((free && !bestFree) || (free == bestFree && effect > bestEffect)) {
        best.input = i;
        best.response = *response;
        bestEffect = effect;
        bestFree = free;
      }
    }
    if (best.input == 0) {
      throw TuneInputError("no response of the plant reaches the output " + SafeText(outputTag) +
                           " from an input in use");
    }
    best.output = o;
    loops.push_back(best);
  }
  const double period = std::max<int>(1, model.FLCBlock.RunFrequency);
  for (PiLoop& loop : loops) {
    loop.inputTag = TrimRight(model.PVarIn[loop.input].DCSTagPV);
    loop.outputTag = TrimRight(model.PVarOut[loop.output].DCSTagPV);
    loop.filterSeconds = options.filterSeconds ? *options.filterSeconds
                                               : std::max(loop.response.deadTime, period);
    SimcSettings({loop.response.gain, loop.response.timeConstant, loop.response.deadTime,
                  loop.filterSeconds, period},
                 loop.kc, loop.tiSeconds);
  }
  std::sort(loops.begin(), loops.end(),
            [](const PiLoop& a, const PiLoop& b) { return a.output < b.output; });
  return loops;
}

PiController::PiController(std::vector<PiLoop> loops, double periodSeconds)
    : loops_(std::move(loops)), states_(loops_.size()), period_(periodSeconds) {}

void PiController::operator()(Controller& controller) {
  ControllerModel& model = controller.model;
  for (std::size_t n = 0; n < loops_.size(); ++n) {
    const PiLoop& loop = loops_[n];
    State& state = states_[n];
    const PVarInRecord& in = model.PVarIn[loop.input];
    PVarOutRecord& out = model.PVarOut[loop.output];
    const double measured = in.PVIN;
    if (!state.started) {
      state.filtered = measured;
    } else if (loop.filterSeconds > 0) {
      state.filtered += (1 - std::exp(-period_ / loop.filterSeconds)) * (measured - state.filtered);
    } else {
      state.filtered = measured;
    }
    const double error = (in.PVHigh + in.PVLow) / 2.0 - state.filtered;
    if (!state.started) state.lastError = error;
    state.started = true;
    const double move = loop.kc * ((error - state.lastError) + period_ / loop.tiSeconds * error);
    state.lastError = error;
    double value = out.PVIN + move;
    if (out.PVHigh > out.PVLow) value = std::clamp(value, double{out.PVLow}, double{out.PVHigh});
    out.ValueOut = FormatNumber(value, "####0.000");
  }
}

void HoldOutputs::operator()(Controller& controller) {
  ControllerModel& model = controller.model;
  for (int o = 1; o <= NumOut; ++o) {
    if (!IsUsed(model.PVarOut[o])) continue;
    if (!held_[o]) held_[o] = model.PVarOut[o].PVIN;
    model.PVarOut[o].ValueOut = FormatNumber(*held_[o], "####0.000");
  }
}

std::string PiSettingsText(const std::vector<PiLoop>& loops) {
  std::string text;
  for (const PiLoop& loop : loops) {
    char line[320];
    std::snprintf(line, sizeof line,
                  "PI %s from %s: response gain %.4g, time constant %.4g s, dead time %.4g s; "
                  "filter %.4g s; Kc %.4g, Ti %.4g s; set point the middle of the targets\n",
                  loop.outputTag.c_str(), loop.inputTag.c_str(), loop.response.gain,
                  loop.response.timeConstant, loop.response.deadTime, loop.filterSeconds, loop.kc,
                  loop.tiSeconds);
    text += line;
  }
  return text;
}

}  // namespace kavro
