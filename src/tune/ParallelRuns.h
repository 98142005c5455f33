#pragma once
// Closed-loop runs on both cores: each run is a controller of its own, so runs share nothing;
// results come back in the order of the setups whatever thread ran them.
#include <vector>

#include "tune/ClosedLoop.h"
#include "tune/Score.h"

namespace kavro {

inline constexpr int kRunThreads = 2;

std::vector<LoopScore> ScoreRuns(const std::vector<LoopSetup>& setups, int threads = kRunThreads);

// The mean objective of the runs.
double MeanObjective(const std::vector<LoopScore>& scores);

}  // namespace kavro
