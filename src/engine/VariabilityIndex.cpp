#include "engine/VariabilityIndex.h"

#include <algorithm>
#include <cmath>

namespace kavro {
namespace {

// The series is read from the newest samples: the index must describe what the input does now,
// not what it did 100 to 200 cycles ago.
constexpr int kIndexSamples = 100;

struct Spreads {
  float sd = 0;     // spread of the samples around their mean
  float sdiff = 0;  // spread of successive differences, scaled to compare with sd
};

Spreads SpreadsOf(std::span<const float> samples, int16_t* errorStep) {
  const auto setStep = [&](int16_t step) {
    if (errorStep) *errorStep = step;
  };
  const auto n = static_cast<float>(samples.size());
  setStep(121);
  float sum = 0.0f;
  for (const float sample : samples) sum += sample;
  const float mean = sum / n;
  setStep(122);
  float squares = 0.0f;
  for (const float sample : samples) squares += (sample - mean) * (sample - mean);
  Spreads spreads;
  spreads.sd = std::sqrt(squares / (n - 1.0f));
  setStep(123);
  float differences = 0.0f;
  for (size_t k = 1; k < samples.size(); ++k) {
    const float step = samples[k] - samples[k - 1];
    differences += step * step;
  }
  spreads.sdiff = std::sqrt(differences / (2.0f * (n - 1.0f)));
  setStep(124);
  return spreads;
}

float IndexOf(const Spreads& s) {
  float r = 0.0f;
  if (s.sd > 0.0f) r = 2.0f - (s.sdiff / s.sd) * (s.sdiff / s.sd);
  float e = 0.0f;
  if (r > 0.0f) e = s.sdiff * std::sqrt(r);
  const float q = (e + 0.1f) / (s.sd + 0.1f);
  return std::clamp((1.0f - q) * 100.0f, 0.0f, 100.0f);
}

}  // namespace

float VariabilityOf(std::span<const float> samples) {
  return IndexOf(SpreadsOf(samples, nullptr));
}

void ComputeIndexes(ControllerModel& model) {
  if (model.HistCount < 2) return;
  // HistCount never exceeds the history's length once the history step has run.
  const int held = std::min<int>(model.HistCount, HistoryLength);
  const int n = std::min(held, kIndexSamples);
  for (int i = 1; i <= NumIn; ++i) {
    PVarInRecord& input = model.PVarIn[i];
    if (!IsUsed(input)) continue;
    const std::span<const float> newest(input.History.data() + (held - n + 1),
                                        static_cast<size_t>(n));
    input.VarIndex = IndexOf(SpreadsOf(newest, &model.ErrorStep));
  }
}

}  // namespace kavro
