#pragma once
// The variability index of each named input, 0..100: how much less successive samples differ
// than the samples spread overall (0 for noise or a constant, near 100 for a smooth drift).
#include <array>
#include <span>

#include "model/ControllerModel.h"

namespace kavro {

// The index of a series of samples (at least two), single precision throughout.
float VariabilityOf(std::span<const float> samples);

// The index describes the newest samples, at most this many: what the input does now, not what
// it did 100 to 200 cycles ago.
inline constexpr int kIndexSamples = 100;

// What the index keeps between cycles to add up a full window faster: the window's samples as
// the history held them, the window turned into rows (sample k of every input), and the sums of
// the next window over the samples it shares with this one. Any content is safe: rows and sums
// are used only where the samples they came from are found again unchanged.
struct IndexMemo {
  using Row = std::array<float, 8>;  // one sample of every input, two lanes unused
  // The window is rows[first .. first + kIndexSamples - 1]; it moves on one row a cycle, and
  // back to the front once it reaches the end (rows on 32 bytes).
  alignas(32) std::array<Row, 2 * kIndexSamples> rows{};
  // Each row's squared differences from the row before, in the same places as the rows.
  alignas(32) std::array<Row, 2 * kIndexSamples> steps{};
  int first = 0;
  // Each input's samples of the window as the history held them, from first on as the rows.
  std::array<std::array<float, 2 * kIndexSamples>, NumIn> samples{};
  // Per input: samples holds the zeros an input without a name is summed as, kept from a window
  // where it had none.
  std::array<bool, NumIn> keptNoSeries{};
  bool ahead = false;  // samples, rows and the sums ahead are those of the last window
  std::array<float, 8> sumsAhead{};
  std::array<float, 8> differencesAhead{};
};

// Sets VarIndex of every named input from its newest min(HistCount, 100) samples, once at least
// two are held. ErrorStep reads 121..124 through the stages, so an error names its stage.
void ComputeIndexes(ControllerModel& model);
// The same, faster from the second of consecutive full windows on; the same digits.
void ComputeIndexes(ControllerModel& model, IndexMemo& memo);
// The same through the plain loop, one series and one sample after the other: what the sums
// worked out side by side (where the processor can) are tested against.
void ComputeIndexesInPlainOrder(ControllerModel& model);

}  // namespace kavro
