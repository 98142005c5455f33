#pragma once
// How well a closed-loop run controlled, from its trace: per input the time inside its targets,
// how far and how long it was outside them, how far from their middle and how much it varied;
// per output how often and how far it moved and how long it sat at its limits; the rules and
// zones that never acted; and one objective that ranks runs.
//
// The objective, lower is better, sums over the inputs in use that have targets (high above
// low), each measured against half its target band h = (high - low) / 2:
//   100 x the share of time outside the targets
//  + 10 x the mean distance outside the targets / h      (outside / hours / h)
//  +  5 x the mean distance from the middle / h          (mean_dev / h)
// and over the outputs, as the price of moving them:
//  + 0.1 x the travel in output ranges per 24 hours
//  + 0.01 x the moves per hour
// and 1 for each cycle error. Time and distance outside the targets weigh most, the distance from
// the middle next; moves and travel decide between runs that hold the targets alike. Travel is
// priced low on purpose: a competent PI loop travels some 90 ranges a day on a hard plant, and at
// a higher price holding the targets scored worse than not controlling at all.
#include <string>
#include <vector>

#include "tune/LoopTrace.h"

namespace kavro {

struct ObjectiveWeights {
  double outsideShare = 100;
  double outsideDistance = 10;
  double middleDistance = 5;
  double travelPerDay = 0.1;
  double movesPerHour = 0.01;
  double cycleError = 1;
};

struct InputScore {
  std::string tag;
  double inBand = 0;           // share of cycles inside the targets, 0..1
  double outside = 0;          // integral of the distance outside: units x hours
  double longestOutsideS = 0;  // longest spell outside, seconds
  double meanDev = 0;          // mean distance from the targets' middle
  double sd = 0;               // standard deviation of the value
};

struct OutputScore {
  std::string tag;
  double movesPerHour = 0;  // cycles whose sent value moved by more than 0.1 % of the range
  double travel = 0;        // sum of the absolute changes sent, in the output's units
  double travelRanges = 0;  // the same in output ranges
  double atLimits = 0;      // share of cycles at a limit, 0..1
  long clamped = 0;         // cycles whose value the move limits held back
};

struct IdleZone {
  std::string tag;
  std::string zone;
};

struct LoopScore {
  double hours = 0;
  long cycles = 0;
  long errors = 0;
  double objective = 0;
  std::vector<InputScore> inputs;
  std::vector<OutputScore> outputs;
  std::vector<int> neverFired;
  std::vector<IdleZone> idleZones;
};

LoopScore ScoreLoop(const LoopTrace& trace, const ObjectiveWeights& weights = {});

}  // namespace kavro
