#include "engine/VariabilityIndex.h"

#include <algorithm>
#include <array>
#include <cmath>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

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

#if defined(__SSE2__)
// Four series to a register, so one instruction adds a sample of each: series 0..3 in one, 4
// and 5 (and two lanes of zeros) in the other. Each lane does the single-precision operations
// of the plain loop below in its order, so the sums are those of the plain loop to the bit. The
// samples come in four at a time from each series and are turned over in registers (a 4 x 4
// transposition); pass 1 keeps them turned for pass 2.
struct Lanes {
  __m128 low;   // series 0..3
  __m128 high;  // series 4, 5, then zeros
};

// Samples k..k+3 of every series as four sample vectors.
void LoadFour(const SeriesSet& series, int k, std::array<Lanes, 4>& out) {
  __m128 s0 = _mm_loadu_ps(series[0] + k);
  __m128 s1 = _mm_loadu_ps(series[1] + k);
  __m128 s2 = _mm_loadu_ps(series[2] + k);
  __m128 s3 = _mm_loadu_ps(series[3] + k);
  _MM_TRANSPOSE4_PS(s0, s1, s2, s3);
  const __m128 s4 = _mm_loadu_ps(series[4] + k);
  const __m128 s5 = _mm_loadu_ps(series[5] + k);
  const __m128 zero = _mm_setzero_ps();
  const __m128 first = _mm_unpacklo_ps(s4, s5);   // k, k + 1
  const __m128 second = _mm_unpackhi_ps(s4, s5);  // k + 2, k + 3
  out[0] = {s0, _mm_movelh_ps(first, zero)};
  out[1] = {s1, _mm_movehl_ps(zero, first)};
  out[2] = {s2, _mm_movelh_ps(second, zero)};
  out[3] = {s3, _mm_movehl_ps(zero, second)};
}

Lanes LoadOne(const SeriesSet& series, int k) {
  return {_mm_setr_ps(series[0][k], series[1][k], series[2][k], series[3][k]),
          _mm_setr_ps(series[4][k], series[5][k], 0.0f, 0.0f)};
}

SpreadsSet SpreadsSideBySide(const SeriesSet& series, int n, int16_t* errorStep) {
  static_assert(NumIn == 6, "two registers of four lanes hold the six series");
  const auto stage = [&](int16_t step) {
    if (errorStep) *errorStep = step;
  };
  const auto samples = static_cast<float>(n);
  std::array<Lanes, kIndexSamples> turned;  // sample k of every series
  stage(121);
  int loaded = 0;
  for (; loaded + 4 <= n; loaded += 4) {
    std::array<Lanes, 4> four;
    LoadFour(series, loaded, four);
    for (int j = 0; j < 4; ++j) turned[static_cast<size_t>(loaded + j)] = four[j];
  }
  for (; loaded < n; ++loaded) turned[static_cast<size_t>(loaded)] = LoadOne(series, loaded);

  Lanes means{_mm_setzero_ps(), _mm_setzero_ps()};
  Lanes differences = means;
  Lanes squares = means;
  if (n > 0) {
    means.low = _mm_add_ps(means.low, turned[0].low);
    means.high = _mm_add_ps(means.high, turned[0].high);
  }
  for (int k = 1; k < n; ++k) {
    const Lanes& now = turned[static_cast<size_t>(k)];
    const Lanes& before = turned[static_cast<size_t>(k - 1)];
    means.low = _mm_add_ps(means.low, now.low);
    means.high = _mm_add_ps(means.high, now.high);
    const __m128 stepLow = _mm_sub_ps(now.low, before.low);
    const __m128 stepHigh = _mm_sub_ps(now.high, before.high);
    differences.low = _mm_add_ps(differences.low, _mm_mul_ps(stepLow, stepLow));
    differences.high = _mm_add_ps(differences.high, _mm_mul_ps(stepHigh, stepHigh));
  }
  const __m128 count = _mm_set1_ps(samples);
  means.low = _mm_div_ps(means.low, count);
  means.high = _mm_div_ps(means.high, count);
  stage(122);
  for (int k = 0; k < n; ++k) {
    const Lanes& now = turned[static_cast<size_t>(k)];
    const __m128 deviationLow = _mm_sub_ps(now.low, means.low);
    const __m128 deviationHigh = _mm_sub_ps(now.high, means.high);
    squares.low = _mm_add_ps(squares.low, _mm_mul_ps(deviationLow, deviationLow));
    squares.high = _mm_add_ps(squares.high, _mm_mul_ps(deviationHigh, deviationHigh));
  }
  std::array<float, 8> squareSums{};
  std::array<float, 8> differenceSums{};
  _mm_storeu_ps(squareSums.data(), squares.low);
  _mm_storeu_ps(squareSums.data() + 4, squares.high);
  _mm_storeu_ps(differenceSums.data(), differences.low);
  _mm_storeu_ps(differenceSums.data() + 4, differences.high);
  SpreadsSet spreads{};
  for (int j = 0; j < NumIn; ++j) spreads[j].sd = std::sqrt(squareSums[j] / (samples - 1.0f));
  stage(123);
  for (int j = 0; j < NumIn; ++j) {
    spreads[j].sdiff = std::sqrt(differenceSums[j] / (2.0f * (samples - 1.0f)));
  }
  stage(124);
  return spreads;
}

#endif

SpreadsSet SpreadsInOrder(const SeriesSet& series, int n, int16_t* errorStep) {
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

SpreadsSet SpreadsOf(const SeriesSet& series, int n, int16_t* errorStep) {
#if defined(__SSE2__)
  if (n <= kIndexSamples) return SpreadsSideBySide(series, n, errorStep);
#endif
  return SpreadsInOrder(series, n, errorStep);
}

float IndexOf(const Spreads& s) {
  float r = 0.0f;
  if (s.sd > 0.0f) r = 2.0f - (s.sdiff / s.sd) * (s.sdiff / s.sd);
  float e = 0.0f;
  if (r > 0.0f) e = s.sdiff * std::sqrt(r);
  const float q = (e + 0.1f) / (s.sd + 0.1f);
  return std::clamp((1.0f - q) * 100.0f, 0.0f, 100.0f);
}

template <typename Spreads>
void ComputeIndexesWith(ControllerModel& model, Spreads spreadsOf) {
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
  const SpreadsSet spreads = spreadsOf(series, n, &model.ErrorStep);
  for (int i = 1; i <= NumIn; ++i) {
    if (series[i - 1] != kNoSeries.data()) model.PVarIn[i].VarIndex = IndexOf(spreads[i - 1]);
  }
}

}  // namespace

float VariabilityOf(std::span<const float> samples) {
  SeriesSet series;
  series.fill(samples.data());
  return IndexOf(SpreadsOf(series, static_cast<int>(samples.size()), nullptr)[0]);
}

void ComputeIndexes(ControllerModel& model) {
  ComputeIndexesWith(model, SpreadsOf);
}

void ComputeIndexesInPlainOrder(ControllerModel& model) {
  ComputeIndexesWith(model, SpreadsInOrder);
}

}  // namespace kavro
