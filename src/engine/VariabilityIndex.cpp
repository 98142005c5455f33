#include "engine/VariabilityIndex.h"

#include <algorithm>
#include <array>
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

// The spreads of up to NumIn series of n samples each. The series are summed side by side, so
// the sums of one series do not wait on each other, yet each is added up in sample order in
// single precision. errorStep (when given) reads 121..124 through the four stages.
void SpreadsOf(std::span<const float* const> series, int n, std::span<Spreads> spreads,
               int16_t* errorStep) {
  const auto stage = [&](int16_t step) {
    if (errorStep) *errorStep = step;
  };
  const size_t count = series.size();
  const auto samples = static_cast<float>(n);
  std::array<float, NumIn> sums{};
  std::array<float, NumIn> squares{};
  std::array<float, NumIn> differences{};
  stage(121);
  for (int k = 0; k < n; ++k) {
    for (size_t j = 0; j < count; ++j) sums[j] += series[j][k];
  }
  for (size_t j = 0; j < count; ++j) sums[j] /= samples;  // the means
  stage(122);
  for (int k = 0; k < n; ++k) {
    for (size_t j = 0; j < count; ++j) {
      const float deviation = series[j][k] - sums[j];
      squares[j] += deviation * deviation;
    }
  }
  for (size_t j = 0; j < count; ++j) spreads[j].sd = std::sqrt(squares[j] / (samples - 1.0f));
  stage(123);
  for (int k = 1; k < n; ++k) {
    for (size_t j = 0; j < count; ++j) {
      const float step = series[j][k] - series[j][k - 1];
      differences[j] += step * step;
    }
  }
  for (size_t j = 0; j < count; ++j) {
    spreads[j].sdiff = std::sqrt(differences[j] / (2.0f * (samples - 1.0f)));
  }
  stage(124);
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
  const float* series[] = {samples.data()};
  Spreads spreads[1];
  SpreadsOf(series, static_cast<int>(samples.size()), spreads, nullptr);
  return IndexOf(spreads[0]);
}

void ComputeIndexes(ControllerModel& model) {
  if (model.HistCount < 2) return;
  // HistCount never exceeds the history's length once the history step has run.
  const int held = std::min<int>(model.HistCount, HistoryLength);
  const int n = std::min(held, kIndexSamples);
  std::array<const float*, NumIn> series{};
  std::array<int, NumIn> inputs{};
  size_t count = 0;
  for (int i = 1; i <= NumIn; ++i) {
    if (!IsUsed(model.PVarIn[i])) continue;  // keeps its index
    series[count] = model.PVarIn[i].History.data() + (held - n + 1);
    inputs[count++] = i;
  }
  std::array<Spreads, NumIn> spreads{};
  SpreadsOf(std::span(series.data(), count), n, std::span(spreads.data(), count),
            &model.ErrorStep);
  for (size_t j = 0; j < count; ++j) model.PVarIn[inputs[j]].VarIndex = IndexOf(spreads[j]);
}

}  // namespace kavro
