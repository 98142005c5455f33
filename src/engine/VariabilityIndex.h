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

}  // namespace kavro
