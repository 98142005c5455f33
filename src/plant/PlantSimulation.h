#pragma once
// The simulated plant behind the simulated DCS: input process values respond to the outputs'
// moves (first order plus dead time per pair, summed), plus disturbances, load steps, drifts and
// noise; each output's present value follows what was written to it, within its limits. The DCS
// side keeps every tag written to it and answers reads by tag name.
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "plant/PlantDescription.h"

namespace kavro {

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

  // A tag looked up once, read many times (the tuner reads the same tags every cycle).
  struct TagRef {
    enum class Kind { Unknown, Input, Output, Value } kind = Kind::Unknown;
    std::size_t index = 0;
  };
  TagRef Find(const std::string& tag) const;
  // The value of a found tag; 0 for an unknown one.
  double Read(TagRef ref) const;

  const PlantDescription& Description() const { return plant_; }

  // The whole state as text, so that a restarted simulator goes on where the last one stopped
  // instead of jumping back to the plant's start values. Restore takes only a state written for
  // the same plant description (planKey) and leaves the simulation as it was otherwise.
  std::string SaveState(const std::string& planKey) const;
  bool RestoreState(const std::string& text, const std::string& planKey);

 private:
  // A response with its scale applied and its lag's share per step worked out once.
  struct RunningResponse {
    std::size_t input = 0;
    std::size_t output = 0;
    double gain = 0;
    double share = 1;               // of the way to the target covered in one step
    std::size_t deadSteps = 0;
  };
  double OutputAgo(std::size_t output, std::size_t steps) const;
  double LoadChanges(const PlantInput& in) const;

  PlantDescription plant_;
  std::vector<RunningResponse> running_;
  std::size_t keepSteps_ = 1;
  double time_ = 0;
  std::vector<double> outputs_;                 // present values
  std::vector<std::deque<double>> outputPast_;  // per output, newest first, one per step
  std::vector<double> responses_;               // filtered contribution of each response
  std::vector<double> inputs_;                  // present values
  std::map<std::string, double> written_;
  std::mt19937 random_;
  std::normal_distribution<double> normal_{0.0, 1.0};
};

}  // namespace kavro
