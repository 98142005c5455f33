#pragma once
// The controller of a working folder run in closed loop with the plant model on simulated time:
// the real start-up, cycle, move limits and scripts, the link replaced by the plant (PlantLink),
// as fast as it runs and writing nothing anywhere.
#include <functional>
#include <stdexcept>
#include <string>

#include "model/Controller.h"
#include "plant/PlantDescription.h"
#include "tune/LoopTrace.h"

namespace kavro {

// Input the tuner cannot work with: one line for the user, exit status 2.
class TuneInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LoopSetup {
  std::string workDir;  // FLC.dat and the scripts
  PlantDescription plant;
  double hours = 24;
  bool withScripts = true;
  // Changes the loaded controller before its first cycle (the tuner's zone points).
  std::function<void(Controller&)> adjust;
  // Puts other values in place of the rules' outputs in every cycle, before the move limits
  // (the PI baseline).
  std::function<void(Controller&)> replaceOutputs;
};

// Runs the loop. Throws TuneInputError when FLC.dat cannot be read or no rule is in use.
LoopTrace RunClosedLoop(const LoopSetup& setup);

}  // namespace kavro
