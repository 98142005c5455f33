#pragma once
// The simulated plant behind the simulated DCS: input process values respond to the outputs'
// moves (first order plus dead time per pair, summed), plus a disturbance and noise; each output's
// present value follows what was written to it, within its limits. The DCS side keeps every tag
// written to it and answers reads by tag name.
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "PlantDescription.h"

namespace kavro::plantsim {

class PlantSimulation {
 public:
  // Plant time advances in steps of this many seconds.
  static constexpr double kStepSeconds = 0.5;

  explicit PlantSimulation(PlantDescription plant);

  // Advances plant time by one step.
  void Step();
  double Time() const { return time_; }

  // The current value of a tag: an input or output process value, a fixed value, or what was
  // last written to it; nothing for a tag the plant does not know.
  std::optional<double> Read(const std::string& tag) const;
  // A value written to a tag; an output's set point moves that output (within its limits).
  void Write(const std::string& tag, double value);

  // The whole state as text, so that a restarted simulator goes on where the last one stopped
  // instead of jumping back to the plant's start values. Restore takes only a state written for
  // the same plant description (planKey) and leaves the simulation as it was otherwise.
  std::string SaveState(const std::string& planKey) const;
  bool RestoreState(const std::string& text, const std::string& planKey);

 private:
  double OutputAgo(std::size_t output, double seconds) const;

  PlantDescription plant_;
  double time_ = 0;
  std::vector<double> outputs_;                 // present values
  std::vector<std::deque<double>> outputPast_;  // per output, newest first, one per step
  std::vector<double> responses_;               // filtered contribution of each response
  std::vector<double> inputs_;                  // present values
  std::map<std::string, double> written_;
  std::mt19937 random_;
  std::normal_distribution<double> normal_{0.0, 1.0};
};

}  // namespace kavro::plantsim
