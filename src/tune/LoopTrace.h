#pragma once
// What one closed-loop run on the plant model leaves for scoring: per cycle the inputs as the
// controller read them with their targets, and the outputs as they stood and as they were sent;
// over the run which rules fired and how high each zone's membership rose.
#include <array>
#include <string>
#include <vector>

#include "model/Dimensions.h"

namespace kavro {

struct TracedInput {
  std::string tag;
  std::vector<float> value;  // one per cycle
  std::vector<float> high;   // its targets in that cycle
  std::vector<float> low;
  // The zones drawn (a membership above 0 somewhere), and the highest membership each reached
  // over the run.
  std::vector<int> zoneSlots;
  std::vector<std::string> zoneNames;
  std::vector<float> zonePeak;
};

struct TracedOutput {
  std::string tag;
  float low = 0;  // the output's range: its limits
  float high = 0;
  float start = 0;                // its value before the first cycle
  std::vector<float> value;       // present value read in each cycle
  std::vector<float> sent;        // the value sent in each cycle; NaN when none went out
  std::vector<unsigned char> held;  // 1 when the move limits held the value back
};

struct LoopTrace {
  double cycleSeconds = 0;
  long cycles = 0;
  long errors = 0;  // cycle errors reported
  std::vector<TracedInput> inputs;
  std::vector<TracedOutput> outputs;
  // Rules with at least one input term in use and a known operator, and those of them whose
  // strength ever rose above 0 (rule numbers 1..20).
  std::vector<int> rulesInUse;
  std::vector<int> rulesFired;
};

}  // namespace kavro
