#pragma once
// The zone points the tuner may move, as a few numbers an optimiser can search. Each variable in
// use is warped along its own axis by a monotone piecewise-linear map through the distinct points
// of its zones: one number per gap between neighbouring points stretches or shrinks that gap
// (by e^a), and the gaps are scaled back to the variable's span, so its outermost points stay
// where they are (and an "Incr" output's zero stays zero). A monotone map keeps every zone's four
// points in order, the zones in their order and shared points shared. The outputs of type "Incr"
// have one more number, a factor e^s on all their points (how far the rules move the output), their
// zero staying zero. Each input has two more: a shift of its inner points (all but the outermost
// two) as a whole and a factor e^w on their span, so that the search can move and narrow all the
// zones of an input at once, as an engineer first does where the targets are tighter than the zones
// were drawn for; by the gaps alone that takes several numbers moving together, which the search
// did not find.
#include <vector>

#include "model/ControllerModel.h"

namespace kavro {

class ZoneSpace {
 public:
  explicit ZoneSpace(const ControllerModel& model);

  std::size_t Dimensions() const { return lower_.size(); }
  const std::vector<double>& Lower() const { return lower_; }
  const std::vector<double>& Upper() const { return upper_; }
  // The configuration as it is: every number 0.
  std::vector<double> Start() const { return std::vector<double>(lower_.size(), 0.0); }

  // Puts the zone points that x stands for into model (a model of the same configuration).
  void Apply(const std::vector<double>& x, ControllerModel& model) const;

 private:
  struct Axis {
    bool isOutput = false;
    int slot = 0;
    std::vector<double> knots;  // the distinct points of its zones, ascending
    bool scaled = false;        // has the factor number (an "Incr" output)
    bool movedAsWhole = false;  // has the shift and width numbers (an input)
    std::size_t first = 0;      // its first number in x
  };
  std::vector<Axis> axes_;
  std::vector<double> lower_;
  std::vector<double> upper_;
};

}  // namespace kavro
