#include "tune/ZoneSpace.h"

#include <algorithm>
#include <cmath>

#include "common/TextUtil.h"

namespace kavro {
namespace {

constexpr double kGapReach = 1.5;    // a gap may grow or shrink by e^1.5, about 4.5 times
constexpr double kScaleDown = -2.0;  // an output's moves from a seventh ...
constexpr double kScaleUp = 1.5;     // ... to four and a half times what they were
// An input's inner points as a whole: their middle moved by up to half their span either way,
// their span from a fifth to one and a half times what it was.
constexpr double kShiftReach = 0.5;
constexpr double kNarrowest = -1.6;
constexpr double kWidest = 0.4;

bool IsDrawn(const MFZone& zone) {
  return std::any_of(zone.MFValue.begin() + 1, zone.MFValue.end(), [](float v) { return v > 0; });
}

template <typename Model>
auto& ZonesOf(Model& model, bool isOutput, int slot) {
  return isOutput ? model.PVarOut[slot].Zone : model.PVarIn[slot].Zone;
}

}  // namespace

ZoneSpace::ZoneSpace(const ControllerModel& model) {
  const auto add = [this, &model](bool isOutput, int slot) {
    Axis axis;
    axis.isOutput = isOutput;
    axis.slot = slot;
    const ZoneTable& zones = ZonesOf(model, isOutput, slot);
    for (int z = 1; z <= NumZones; ++z) {
      if (!IsDrawn(zones[z])) continue;
      for (int p = 1; p <= NumPoints; ++p) axis.knots.push_back(zones[z].MFPValue[p]);
    }
    std::sort(axis.knots.begin(), axis.knots.end());
    axis.knots.erase(std::unique(axis.knots.begin(), axis.knots.end()), axis.knots.end());
    axis.scaled = isOutput && TrimRight(model.PVarOut[slot].OutputType) == "Incr";
    axis.first = lower_.size();
    if (axis.knots.size() > 2) {
      for (std::size_t g = 0; g + 1 < axis.knots.size(); ++g) {
        lower_.push_back(-kGapReach);
        upper_.push_back(kGapReach);
      }
    }
    if (axis.scaled) {
      lower_.push_back(kScaleDown);
      upper_.push_back(kScaleUp);
    }
    axis.movedAsWhole = !isOutput && axis.knots.size() > 3;
    if (axis.movedAsWhole) {
      lower_.insert(lower_.end(), {-kShiftReach, kNarrowest});
      upper_.insert(upper_.end(), {kShiftReach, kWidest});
    }
    axes_.push_back(std::move(axis));
  };
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i])) add(false, i);
  }
  for (int o = 1; o <= NumOut; ++o) {
    if (IsUsed(model.PVarOut[o])) add(true, o);
  }
}

void ZoneSpace::Apply(const std::vector<double>& x, ControllerModel& model) const {
  for (const Axis& axis : axes_) {
    const std::vector<double>& knots = axis.knots;
    if (knots.empty()) continue;
    std::vector<double> moved = knots;
    std::size_t next = axis.first;
    if (knots.size() > 2) {
      // Gaps are stretched, then scaled back within each stretch between anchors: the ends,
      // and for a scaled output its zero (no move stays no move).
      std::vector<double> gaps;
      for (std::size_t g = 0; g + 1 < knots.size(); ++g) {
        gaps.push_back((knots[g + 1] - knots[g]) * std::exp(x[next++]));
      }
      std::size_t from = 0;
      for (std::size_t k = 1; k < knots.size(); ++k) {
        const bool anchor = k + 1 == knots.size() || (axis.scaled && knots[k] == 0);
        if (!anchor) continue;
        double total = 0;
        for (std::size_t g = from; g < k; ++g) total += gaps[g];
        const double span = knots[k] - knots[from];
        double at = knots[from];
        for (std::size_t g = from; g + 1 < k; ++g) {
          at += total > 0 ? gaps[g] * span / total : 0;
          moved[g + 1] = at;
        }
        from = k;
      }
    }
    if (axis.scaled) {
      const double factor = std::exp(x[next++]);
      for (double& k : moved) k *= factor;
    }
    if (axis.movedAsWhole) {
      // The inner points (all but the outermost two, which stay) moved and narrowed or widened
      // about their middle, kept within the outermost points: the zones follow targets that
      // are tighter or off the middle of where the zones were drawn.
      const std::size_t last = moved.size() - 2;
      const double middle = (moved[1] + moved[last]) / 2;
      const double centre = middle + x[next++] * (moved[last] - moved[1]);
      const double factor = std::exp(x[next++]);
      for (std::size_t k = 1; k <= last; ++k) {
        moved[k] = std::clamp(centre + factor * (moved[k] - middle), moved.front(), moved.back());
      }
    }
    ZoneTable& zones = ZonesOf(model, axis.isOutput, axis.slot);
    for (int z = 1; z <= NumZones; ++z) {
      if (!IsDrawn(zones[z])) continue;
      for (int p = 1; p <= NumPoints; ++p) {
        const auto found = std::lower_bound(knots.begin(), knots.end(), zones[z].MFPValue[p]);
        if (found == knots.end() || *found != zones[z].MFPValue[p]) continue;
        // Points are kept to the file's three decimals, so that the tuned file scores as tuned.
        const double value = moved[static_cast<std::size_t>(found - knots.begin())];
        zones[z].MFPValue[p] = static_cast<float>(std::round(value * 1000.0) / 1000.0);
      }
    }
  }
}

}  // namespace kavro
