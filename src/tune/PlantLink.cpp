#include "tune/PlantLink.h"

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "link/LinkTags.h"

namespace kavro {

bool PlantLink::SwitchOn(Controller& controller) {
  valueTags_.clear();
  ForEachValueTag(controller.model, [&](const std::string& tag, const float&) {
    valueTags_.push_back(plant_.Find(TrimRight(tag)));
  });
  LinkState& link = controller.model.Link;
  link.SkipNextRead = false;
  link.LinkStatus = kOn;
  link.LinkStatusSent = kOn;
  return true;
}

void PlantLink::Read(Controller& controller) {
  ControllerModel& model = controller.model;
  // The controller's own switch reads on, as the simulator answers it; the run frequency stays
  // the configured one.
  model.DCSOnOffValue = 1;
  std::size_t n = 0;
  ForEachValueTag(model, [&](const std::string& tag, float& field) {
    const PlantSimulation::TagRef ref = valueTags_[n++];
    if (ref.kind != PlantSimulation::TagRef::Kind::Unknown) {
      field = static_cast<float>(plant_.Read(ref));
    } else if (!TrimRight(tag).empty()) {
      field = 0;  // a tag the plant does not know reads 0, as on the simulator
    }
  });
  model.LinkReadError = false;
}

void PlantLink::Write(Controller& controller) {
  ControllerModel& model = controller.model;
  model.LinkWriteError = false;
  if (model.ToFileMode) return;  // the file link writes the test file then: the plant sees nothing
  for (int k = 1; k <= NumOut; ++k) {
    const std::string sent = OutputSentText(model, k);
    if (sent != "X") plant_.Write(TrimRight(model.PVarOut[k].DCSTagOut), ToNumber(sent));
  }
}

void PlantLink::SwitchOff(Controller& controller) {
  controller.model.Link.LinkStatus = kOff;
  controller.model.Link.LinkStatusSent = kOff;
}

}  // namespace kavro
