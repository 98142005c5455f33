#pragma once
// The variability index of each named input, 0..100: how much less successive samples differ
// than the samples spread overall (0 for noise or a constant, near 100 for a smooth drift).
#include <span>

#include "model/ControllerModel.h"

namespace kavro {

// The index of a series of samples (at least two), single precision throughout.
float VariabilityOf(std::span<const float> samples);

// Sets VarIndex of every named input from its newest min(HistCount, 100) samples, once at least
// two are held. ErrorStep reads 121..124 through the stages, so an error names its stage.
void ComputeIndexes(ControllerModel& model);
// The same through the plain loop, one series and one sample after the other: what the sums
// worked out side by side (where the processor can) are tested against.
void ComputeIndexesInPlainOrder(ControllerModel& model);

}  // namespace kavro
