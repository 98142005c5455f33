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

// The spreads of NumIn series of n samples each, summed side by side: with a fixed number of
// series, unrolled, the sums stay in registers and do not wait on each other, yet each series is
// added up in sample order in single precision. Each sum waits on its own previous addition, so
// the successive differences, which need no mean, are summed in the same pass as the means:
// side by side the two passes take the time of one. errorStep (when given) reads 121..124
// through the stages; only the sums' last steps (the square roots) follow 123.
using SeriesSet = std::array<const float*, NumIn>;
using SpreadsSet = std::array<Spreads, NumIn>;

SpreadsSet SpreadsOf(const SeriesSet& series, int n, int16_t* errorStep) {
  const auto stage = [&](int16_t step) {
    if (errorStep) *errorStep = step;
  };
  const auto samples = static_cast<float>(n);
  std::array<float, NumIn> means{};
  std::array<float, NumIn> squares{};
  std::array<float, NumIn> differences{};
  stage(121);
  if (n > 0) {
    for (int j = 0; j < NumIn; ++j) means[j] += series[j][0];
  }
  for (int k = 1; k < n; ++k) {
#pragma GCC unroll 6
    for (int j = 0; j < NumIn; ++j) {
      means[j] += series[j][k];
      const float step = series[j][k] - series[j][k - 1];
      differences[j] += step * step;
    }
  }
  for (int j = 0; j < NumIn; ++j) means[j] /= samples;
  stage(122);
  for (int k = 0; k < n; ++k) {
#pragma GCC unroll 6
    for (int j = 0; j < NumIn; ++j) {
      const float deviation = series[j][k] - means[j];
      squares[j] += deviation * deviation;
    }
  }
  SpreadsSet spreads{};
  for (int j = 0; j < NumIn; ++j) spreads[j].sd = std::sqrt(squares[j] / (samples - 1.0f));
  stage(123);
  for (int j = 0; j < NumIn; ++j) {
    spreads[j].sdiff = std::sqrt(differences[j] / (2.0f * (samples - 1.0f)));
  }
  stage(124);
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
  SeriesSet series;
  series.fill(samples.data());
  return IndexOf(SpreadsOf(series, static_cast<int>(samples.size()), nullptr)[0]);
}

void ComputeIndexes(ControllerModel& model) {
  if (model.HistCount < 2) return;
  // HistCount never exceeds the history's length once the history step has run.
  const int held = std::min<int>(model.HistCount, HistoryLength);
  const int n = std::min(held, kIndexSamples);
  // Inputs without a name keep their index; their slot sums a series of zeros meanwhile.
  static constexpr std::array<float, kIndexSamples> kNoSeries{};
  SeriesSet series;
  for (int i = 1; i <= NumIn; ++i) {
    series[i - 1] = IsUsed(model.PVarIn[i]) ? model.PVarIn[i].History.data() + (held - n + 1)
                                            : kNoSeries.data();
  }
  const SpreadsSet spreads = SpreadsOf(series, n, &model.ErrorStep);
  for (int i = 1; i <= NumIn; ++i) {
    if (series[i - 1] != kNoSeries.data()) model.PVarIn[i].VarIndex = IndexOf(spreads[i - 1]);
  }
}

}  // namespace kavro
