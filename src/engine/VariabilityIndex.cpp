#include "engine/VariabilityIndex.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

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

#if defined(__SSE2__)
// Four series to a register, so one instruction adds a sample of each: series 0..3 in one, 4
// and 5 (and two lanes of zeros) in the other. Each lane does the single-precision operations
// of the plain loop below in its order, so the sums are those of the plain loop to the bit. The
// samples come in four at a time from each series and are turned over in registers (a 4 x 4
// transposition) into rows of one sample of every series, which both passes read.
struct Lanes {
  __m128 low;   // series 0..3
  __m128 high;  // series 4, 5, then zeros
};

using Rows = IndexMemo::Rows;

Lanes Row(const Rows& rows, int k) {
  const float* row = rows[static_cast<size_t>(k)].data();
  return {_mm_load_ps(row), _mm_load_ps(row + 4)};
}

void StoreRow(Rows& rows, int k, __m128 low, __m128 high) {
  float* row = rows[static_cast<size_t>(k)].data();
  _mm_store_ps(row, low);
  _mm_store_ps(row + 4, high);
}

// Samples 0..n - 1 of every series as rows.
void LoadRows(const SeriesSet& series, int n, Rows& rows) {
  static_assert(NumIn == 6, "two registers of four lanes hold the six series");
  const __m128 zero = _mm_setzero_ps();
  int k = 0;
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
    StoreRow(rows, k, s0, _mm_movelh_ps(first, zero));
    StoreRow(rows, k + 1, s1, _mm_movehl_ps(zero, first));
    StoreRow(rows, k + 2, s2, _mm_movelh_ps(second, zero));
    StoreRow(rows, k + 3, s3, _mm_movehl_ps(zero, second));
  }
  for (; k < n; ++k) {
    StoreRow(rows, k, _mm_setr_ps(series[0][k], series[1][k], series[2][k], series[3][k]),
             _mm_setr_ps(series[4][k], series[5][k], 0.0f, 0.0f));
  }
}

Lanes Add(const Lanes& a, const Lanes& b) {
  return {_mm_add_ps(a.low, b.low), _mm_add_ps(a.high, b.high)};
}
Lanes Square(const Lanes& a, const Lanes& b) {  // (a - b)^2
  const __m128 low = _mm_sub_ps(a.low, b.low);
  const __m128 high = _mm_sub_ps(a.high, b.high);
  return {_mm_mul_ps(low, low), _mm_mul_ps(high, high)};
}
Lanes Zeros() {
  return {_mm_setzero_ps(), _mm_setzero_ps()};
}

// The sums of samples first..n - 1 and of their successive squared differences, from 0 in
// sample order.
struct FirstPass {
  Lanes sums;
  Lanes differences;
};
FirstPass SumsFrom(const Rows& rows, int first, int n) {
  FirstPass pass{Zeros(), Zeros()};
  if (first < n) pass.sums = Add(pass.sums, Row(rows, first));
  for (int k = first + 1; k < n; ++k) {
    pass.sums = Add(pass.sums, Row(rows, k));
    pass.differences = Add(pass.differences, Square(Row(rows, k), Row(rows, k - 1)));
  }
  return pass;
}

Lanes MeansOf(const Lanes& sums, int n) {
  const __m128 count = _mm_set1_ps(static_cast<float>(n));
  return {_mm_div_ps(sums.low, count), _mm_div_ps(sums.high, count)};
}

// The spreads from the first pass's sums and the sum of squared deviations.
template <typename Stage>
SpreadsSet SpreadsOfSums(const FirstPass& pass, const Lanes& squares, int n, Stage stage) {
  const auto samples = static_cast<float>(n);
  std::array<float, 8> squareSums{};
  std::array<float, 8> differenceSums{};
  _mm_storeu_ps(squareSums.data(), squares.low);
  _mm_storeu_ps(squareSums.data() + 4, squares.high);
  _mm_storeu_ps(differenceSums.data(), pass.differences.low);
  _mm_storeu_ps(differenceSums.data() + 4, pass.differences.high);
  SpreadsSet spreads{};
  for (int j = 0; j < NumIn; ++j) spreads[j].sd = std::sqrt(squareSums[j] / (samples - 1.0f));
  stage(123);
  for (int j = 0; j < NumIn; ++j) {
    spreads[j].sdiff = std::sqrt(differenceSums[j] / (2.0f * (samples - 1.0f)));
  }
  stage(124);
  return spreads;
}

template <typename Stage>
SpreadsSet SpreadsOfRows(const Rows& rows, int n, Stage stage) {
  stage(121);
  const FirstPass pass = SumsFrom(rows, 0, n);
  const Lanes means = MeansOf(pass.sums, n);
  stage(122);
  Lanes squares = Zeros();
  for (int k = 0; k < n; ++k) squares = Add(squares, Square(Row(rows, k), means));
  return SpreadsOfSums(pass, squares, n, stage);
}

SpreadsSet SpreadsSideBySide(const SeriesSet& series, int n, int16_t* errorStep) {
  alignas(16) Rows rows;
  LoadRows(series, n, rows);
  return SpreadsOfRows(rows, n, [&](int16_t step) {
    if (errorStep) *errorStep = step;
  });
}

// A full window of kIndexSamples with the memo. Each sum waits on its own previous addition, so
// the two passes over a window, the second needing the first's means, take twice the time of
// one. The first pass of the next window, though, needs none of this one's results: its sums
// over the samples it shares with this window (all but its newest) are worked out beside this
// window's second pass, and the next cycle adds its newest sample to them. They are used only
// when the samples they were summed from are, bit for bit, where the next window starts;
// otherwise the window is summed afresh.
SpreadsSet SpreadsOfFullWindow(const SeriesSet& series, IndexMemo& memo, int16_t* errorStep) {
  constexpr int n = kIndexSamples;
  const auto stage = [&](int16_t step) {
    if (errorStep) *errorStep = step;
  };
  const Rows& before = memo.rows[memo.current];
  memo.current ^= 1;
  Rows& rows = memo.rows[memo.current];
  LoadRows(series, n, rows);
  stage(121);
  FirstPass pass{Zeros(), Zeros()};
  if (memo.ahead) {
    const float* sums = memo.sumsAhead.data();
    const float* differences = memo.differencesAhead.data();
    pass.sums = Add({_mm_load_ps(sums), _mm_load_ps(sums + 4)}, Row(rows, n - 1));
    pass.differences = Add({_mm_load_ps(differences), _mm_load_ps(differences + 4)},
                           Square(Row(rows, n - 1), Row(rows, n - 2)));
  }
  const Lanes means = MeansOf(pass.sums, n);
  stage(122);
  // This window's squared deviations and the next window's first pass side by side.
  Lanes squares = Square(Row(rows, 0), means);
  squares.low = _mm_add_ps(_mm_setzero_ps(), squares.low);
  squares.high = _mm_add_ps(_mm_setzero_ps(), squares.high);
  squares = Add(squares, Square(Row(rows, 1), means));
  FirstPass next{Add(Zeros(), Row(rows, 1)), Zeros()};
  for (int k = 2; k < n; ++k) {
    const Lanes now = Row(rows, k);
    squares = Add(squares, Square(now, means));
    next.sums = Add(next.sums, now);
    next.differences = Add(next.differences, Square(now, Row(rows, k - 1)));
  }
  _mm_store_ps(memo.sumsAhead.data(), next.sums.low);
  _mm_store_ps(memo.sumsAhead.data() + 4, next.sums.high);
  _mm_store_ps(memo.differencesAhead.data(), next.differences.low);
  _mm_store_ps(memo.differencesAhead.data() + 4, next.differences.high);
  // Bit for bit: samples 0..98 of this window are samples 1..99 of the last.
  const bool sharedAsSummed =
      memo.ahead && std::memcmp(rows.data(), before.data() + 1, (n - 1) * sizeof rows[0]) == 0;
  memo.ahead = true;
  if (!sharedAsSummed) return SpreadsOfRows(rows, n, stage);
  return SpreadsOfSums(pass, squares, n, stage);
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

SpreadsSet SpreadsOf(const SeriesSet& series, int n, int16_t* errorStep, IndexMemo& memo) {
#if defined(__SSE2__)
  if (n == kIndexSamples) return SpreadsOfFullWindow(series, memo, errorStep);
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
