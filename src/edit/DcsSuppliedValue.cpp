#include "edit/DcsSuppliedValue.h"

#include "common/TextUtil.h"
#include "edit/EditMessage.h"
#include "link/LinkTags.h"

namespace kavro {

bool DcsSuppliesValue(const ControllerModel& model, const std::string& tag) {
  return model.Link.LinkStatus == kOn && !IsAllSpaces(tag);
}

const std::string* DcsTagOfValue(const ControllerModel& model, const float& field) {
  const std::string* found = nullptr;
  ForEachValueTag(model, [&](const std::string& tag, const float& value) {
    if (&value == &field) found = &tag;
  });
  return found;
}

void RefuseDcsSuppliedEdit(Controller& controller, const std::string& what,
                           const std::string& tag) {
  ShowEditMessage(controller,
                  "The DCS supplies " + what + " while the link is on (tag " + TrimRight(tag) +
                      "): switch the link off to change it here",
                  controller.model.ProductName, MsgIcon::Exclamation);
}

}  // namespace kavro
