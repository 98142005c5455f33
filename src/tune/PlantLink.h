#pragma once
// The link of a controller run off-line against the plant model: the read takes the tags of the
// link's read list from the plant as it stands at the cycle's start (the targets, limits and
// move limits it holds included), the write hands each output's sent value to the plant, which
// sees it from then on. The same order as the file link, without the files.
#include <vector>

#include "link/Link.h"
#include "plant/PlantSimulation.h"

namespace kavro {

class PlantLink final : public Link {
 public:
  explicit PlantLink(PlantSimulation& plant) : plant_(plant) {}

  // Looks the tags up once; the first cycle reads at once, the plant is already there.
  bool SwitchOn(Controller& controller) override;
  void Read(Controller& controller) override;
  void Write(Controller& controller) override;
  void SwitchOff(Controller& controller) override;
  void Supervise(Controller&) override {}
  LinkPanelLines PanelLines(const Controller&, bool) const override { return {}; }

 private:
  PlantSimulation& plant_;
  std::vector<PlantSimulation::TagRef> valueTags_;  // in ForEachValueTag's order
};

}  // namespace kavro
