#include "engine/VariabilityIndex.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "common/EightLanes.h"

namespace kavro {
namespace {

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

// Inputs without a name keep their index; their slot sums this series of zeros meanwhile.
constexpr std::array<float, kIndexSamples> kNoSeries{};

#if defined(KAVRO_HAS_EIGHT_LANES)
// Eight series to a register, so one instruction adds a sample of all six (and two lanes of
// zeros): each sum then waits only on its own previous addition. Each lane does the
// single-precision operations of the plain loop below in its order, so the sums are those of
// the plain loop to the bit (no fused multiply-add: the target names AVX alone). The samples
// come in four at a time from each series and are turned over in registers (a 4 x 4
// transposition) into rows of one sample of every series, which both passes read. Processors
// without AVX take the plain loop.
using Lanes = __m256;
using Rows = IndexMemo::Row*;  // rows 0..n - 1 of a window

KAVRO_EIGHT_LANES Lanes Row(const IndexMemo::Row* rows, int k) {
  return _mm256_loadu_ps(rows[k].data());
}

// Samples from..n - 1 of every series as rows.
KAVRO_EIGHT_LANES void LoadRows(const SeriesSet& series, int from, int n, Rows rows) {
  static_assert(NumIn == 6, "one register of eight lanes holds the six series");
  const auto store = [rows](int k, __m128 low, __m128 high) {
    float* row = rows[k].data();
    _mm_storeu_ps(row, low);
    _mm_storeu_ps(row + 4, high);
  };
  const __m128 zero = _mm_setzero_ps();
  int k = from;
  for (; k + 4 <= n; k += 4) {
    __m128 s0 = _mm_loadu_ps(series[0] + k);
    __m128 s1 = _mm_loadu_ps(series[1] + k);
    __m128 s2 = _mm_loadu_ps(series[2] + k);
    __m128 s3 = _mm_loadu_ps(series[3] + k);
    _MM_TRANSPOSE4_PS(s0, s1, s2, s3);
    const __m128 s4 = _mm_loadu_ps(series[4] + k);
    const __m128 s5 = _mm_loadu_ps(series[5] + k);
    const __m128 first = _mm_unpacklo_ps(s4, s5);   // k, k + 1
    const __m128 second = _mm_unpackhi_ps(s4, s5);  // k + 2, k + 3
    store(k, s0, _mm_movelh_ps(first, zero));
    store(k + 1, s1, _mm_movehl_ps(zero, first));
    store(k + 2, s2, _mm_movelh_ps(second, zero));
    store(k + 3, s3, _mm_movehl_ps(zero, second));
  }
  for (; k < n; ++k) {
    store(k, _mm_setr_ps(series[0][k], series[1][k], series[2][k], series[3][k]),
          _mm_setr_ps(series[4][k], series[5][k], 0.0f, 0.0f));
  }
}

KAVRO_EIGHT_LANES Lanes Add(Lanes a, Lanes b) {
  return _mm256_add_ps(a, b);
}
KAVRO_EIGHT_LANES Lanes Square(Lanes a, Lanes b) {  // (a - b)^2
  const Lanes difference = _mm256_sub_ps(a, b);
  return _mm256_mul_ps(difference, difference);
}
KAVRO_EIGHT_LANES Lanes Zeros() {
  return _mm256_setzero_ps();
}
KAVRO_EIGHT_LANES Lanes Load(const std::array<float, 8>& lanes) {
  return _mm256_loadu_ps(lanes.data());
}
KAVRO_EIGHT_LANES void Store(std::array<float, 8>& lanes, Lanes values) {
  _mm256_storeu_ps(lanes.data(), values);
}

// The sums of samples 0..n - 1 and of their successive squared differences, from 0 in sample
// order.
struct FirstPass {
  Lanes sums;
  Lanes differences;
};
KAVRO_EIGHT_LANES FirstPass SumsOf(const IndexMemo::Row* rows, int n) {
  FirstPass pass{Zeros(), Zeros()};
  if (n > 0) pass.sums = Add(pass.sums, Row(rows, 0));
  for (int k = 1; k < n; ++k) {
    pass.sums = Add(pass.sums, Row(rows, k));
    pass.differences = Add(pass.differences, Square(Row(rows, k), Row(rows, k - 1)));
  }
  return pass;
}

KAVRO_EIGHT_LANES Lanes MeansOf(Lanes sums, int n) {
  return _mm256_div_ps(sums, _mm256_set1_ps(static_cast<float>(n)));
}

// A window's sums of squared deviations and of squared successive differences, series by
// series in lanes 0..5.
struct WindowSums {
  std::array<float, 8> squares{};
  std::array<float, 8> differences{};
};

// The sums out of the registers. The upper halves of the registers are cleared on the way out,
// as the plain (non-AVX) instructions after would otherwise wait on them every time.
KAVRO_EIGHT_LANES WindowSums Stored(Lanes squares, Lanes differences) {
  WindowSums sums;
  Store(sums.squares, squares);
  Store(sums.differences, differences);
  _mm256_zeroupper();
  return sums;
}

// The spreads from a window's sums.
template <typename Stage>
SpreadsSet SpreadsOfSums(const WindowSums& sums, int n, Stage stage) {
  const auto samples = static_cast<float>(n);
  SpreadsSet spreads{};
  for (int j = 0; j < NumIn; ++j) spreads[j].sd = std::sqrt(sums.squares[j] / (samples - 1.0f));
  stage(123);
  for (int j = 0; j < NumIn; ++j) {
    spreads[j].sdiff = std::sqrt(sums.differences[j] / (2.0f * (samples - 1.0f)));
  }
  stage(124);
  return spreads;
}

template <typename Stage>
KAVRO_EIGHT_LANES WindowSums SumsOfRows(const IndexMemo::Row* rows, int n, Stage stage) {
  stage(121);
  const FirstPass pass = SumsOf(rows, n);
  const Lanes means = MeansOf(pass.sums, n);
  stage(122);
  Lanes squares = Zeros();
  for (int k = 0; k < n; ++k) squares = Add(squares, Square(Row(rows, k), means));
  return Stored(squares, pass.differences);
}

SpreadsSet SpreadsSideBySide(const SeriesSet& series, int n, int16_t* errorStep) {
  const auto stage = [&](int16_t step) {
    if (errorStep) *errorStep = step;
  };
  std::array<IndexMemo::Row, kIndexSamples> rows;
  LoadRows(series, 0, n, rows.data());
  return SpreadsOfSums(SumsOfRows(rows.data(), n, stage), n, stage);
}

// Steps from..n - 1 of a window (from >= 1): each row's squared differences from the row before.
KAVRO_EIGHT_LANES void LoadSteps(const IndexMemo::Row* rows, int from, int n, Rows steps) {
  for (int k = from; k < n; ++k) Store(steps[k], Square(Row(rows, k), Row(rows, k - 1)));
}

// A full window of kIndexSamples with the memo. Each sum waits on its own previous addition, so
// the two passes over a window, the second needing the first's means, take twice the time of
// one. The first pass of the next window, though, needs none of this one's results: its sums
// over the samples it shares with this window (all but its newest) are worked out beside this
// window's second pass, and the next cycle adds its newest sample to them. continues says that
// this window's samples 0..98 are, bit for bit, the last window's 1..99 from which those sums
// came; otherwise the window's first pass is summed afresh. steps holds each row's squared
// difference from the row before (from row 1 on), worked out once when the row came in.
template <typename Stage>
KAVRO_EIGHT_LANES WindowSums SumsOfFullWindow(const IndexMemo::Row* rows,
                                              const IndexMemo::Row* steps, bool continues,
                                              IndexMemo& memo, Stage stage) {
  constexpr int n = kIndexSamples;
  stage(121);
  FirstPass pass{Zeros(), Zeros()};
  if (continues) {
    pass.sums = Add(Load(memo.sumsAhead), Row(rows, n - 1));
    pass.differences = Add(Load(memo.differencesAhead), Row(steps, n - 1));
  } else {
    pass = SumsOf(rows, n);
  }
  const Lanes means = MeansOf(pass.sums, n);
  stage(122);
  // This window's squared deviations and the next window's first pass side by side.
  Lanes squares = Add(Zeros(), Square(Row(rows, 0), means));
  squares = Add(squares, Square(Row(rows, 1), means));
  FirstPass next{Add(Zeros(), Row(rows, 1)), Zeros()};
  // Two rows a turn: the loop's own count and jump come half as often.
#pragma GCC unroll 2
  for (int k = 2; k < n; ++k) {
    const Lanes now = Row(rows, k);
    squares = Add(squares, Square(now, means));
    next.sums = Add(next.sums, now);
    next.differences = Add(next.differences, Row(steps, k));
  }
  Store(memo.sumsAhead, next.sums);
  Store(memo.differencesAhead, next.differences);
  return Stored(squares, pass.differences);
}

// Whether samples 0..98 of a series are, bit for bit, kept[0..98]: eight at a time, the last
// eight overlapping the ones before, with nothing written.
KAVRO_EIGHT_LANES bool SameSamples(const float* series, const float* kept) {
  constexpr int n = kIndexSamples - 1;
  static_assert(n >= 8);
  __m256 differences = _mm256_setzero_ps();
#pragma GCC unroll 16
  for (int k = 0; k + 8 <= n; k += 8) {
    differences = _mm256_or_ps(
        differences, _mm256_xor_ps(_mm256_loadu_ps(series + k), _mm256_loadu_ps(kept + k)));
  }
  differences = _mm256_or_ps(differences, _mm256_xor_ps(_mm256_loadu_ps(series + n - 8),
                                                        _mm256_loadu_ps(kept + n - 8)));
  const __m256i bits = _mm256_castps_si256(differences);
  const bool same = _mm256_testz_si256(bits, bits) != 0;
  _mm256_zeroupper();
  return same;
}

// The window moved on by one: its rows and kept samples (from memo.first) go on one slot, and
// back to the front of their stores once they reach the end.
void MoveWindowOn(IndexMemo& memo) {
  constexpr int n = kIndexSamples;
  if (memo.first + n < static_cast<int>(memo.rows.size())) {
    ++memo.first;
    return;
  }
  const auto from = static_cast<size_t>(memo.first + 1);
  std::copy_n(memo.rows.begin() + static_cast<std::ptrdiff_t>(from), n - 1, memo.rows.begin());
  std::copy_n(memo.steps.begin() + static_cast<std::ptrdiff_t>(from), n - 1, memo.steps.begin());
  for (auto& kept : memo.samples) {
    std::copy_n(kept.begin() + static_cast<std::ptrdiff_t>(from), n - 1, kept.begin());
  }
  memo.first = 0;
}

SpreadsSet SpreadsOfFullWindow(const SeriesSet& series, IndexMemo& memo, int16_t* errorStep) {
  constexpr int n = kIndexSamples;
  const auto stage = [&](int16_t step) {
    if (errorStep) *errorStep = step;
  };
  // The window continues the last one when every series' samples 0..98 are the kept window's
  // 1..99. The zeros of an input without a name continue the zeros kept for it: nothing to
  // compare.
  bool continues = memo.ahead;
  for (int j = 0; j < NumIn && continues; ++j) {
    const auto slot = static_cast<size_t>(j);
    const bool noSeries = series[j] == kNoSeries.data();
    if (noSeries && memo.keptNoSeries[slot]) continue;
    continues = SameSamples(series[j], memo.samples[slot].data() + memo.first + 1);
  }
  if (continues) {
    // Only the newest sample of each series is kept and turned into a row.
    MoveWindowOn(memo);
    for (int j = 0; j < NumIn; ++j) {
      memo.samples[static_cast<size_t>(j)][static_cast<size_t>(memo.first + n - 1)] =
          series[j][n - 1];
    }
    LoadRows(series, n - 1, n, memo.rows.data() + memo.first);
    LoadSteps(memo.rows.data() + memo.first, n - 1, n, memo.steps.data() + memo.first);
  } else {
    memo.first = 0;
    for (int j = 0; j < NumIn; ++j) {
      std::copy_n(series[j], n, memo.samples[static_cast<size_t>(j)].begin());
    }
    LoadRows(series, 0, n, memo.rows.data());
    LoadSteps(memo.rows.data(), 1, n, memo.steps.data());
  }
  for (int j = 0; j < NumIn; ++j) {
    memo.keptNoSeries[static_cast<size_t>(j)] = series[j] == kNoSeries.data();
  }
  const WindowSums sums = SumsOfFullWindow(memo.rows.data() + memo.first,
                                           memo.steps.data() + memo.first, continues, memo, stage);
  memo.ahead = true;
  return SpreadsOfSums(sums, n, stage);
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
#if defined(KAVRO_HAS_EIGHT_LANES)
  if (n <= kIndexSamples && HasEightLanes()) return SpreadsSideBySide(series, n, errorStep);
#endif
  return SpreadsInOrder(series, n, errorStep);
}

SpreadsSet SpreadsOf(const SeriesSet& series, int n, int16_t* errorStep, IndexMemo& memo) {
#if defined(KAVRO_HAS_EIGHT_LANES)
  if (n == kIndexSamples && HasEightLanes()) return SpreadsOfFullWindow(series, memo, errorStep);
#endif
  memo.ahead = false;
  return SpreadsOf(series, n, errorStep);
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
  ComputeIndexesWith(model, [](const SeriesSet& series, int n, int16_t* errorStep) {
    return SpreadsOf(series, n, errorStep);
  });
}

void ComputeIndexes(ControllerModel& model, IndexMemo& memo) {
  ComputeIndexesWith(model, [&memo](const SeriesSet& series, int n, int16_t* errorStep) {
    return SpreadsOf(series, n, errorStep, memo);
  });
}

void ComputeIndexesInPlainOrder(ControllerModel& model) {
  ComputeIndexesWith(model, [](const SeriesSet& series, int n, int16_t* errorStep) {
    return SpreadsInOrder(series, n, errorStep);
  });
}

}  // namespace kavro
