#include "edit/DcsSuppliedValue.h"

#include "common/TextUtil.h"
#include "edit/EditMessage.h"

namespace kavro {

bool DcsSuppliesValue(const ControllerModel& model, const std::string& tag) {
  return model.Link.LinkStatus == kOn && !IsAllSpaces(tag);
}

void RefuseDcsSuppliedEdit(Controller& controller, const std::string& what,
                           const std::string& tag) {
  ShowEditMessage(controller,
                  "The DCS supplies " + what + " while the link is on (tag " + TrimRight(tag) +
                      "): switch the link off to change it here",
                  controller.model.ProductName, MsgIcon::Exclamation);
}

}  // namespace kavro
