#include "link/LinkInputAge.h"

#include <algorithm>

#include "link/LinkNames.h"

namespace kavro {

double FreshInputLimitSeconds(const ControllerModel& model) {
  return std::max(3.0 * model.FLCBlock.LinkFrequency, kMinFreshLimitSeconds);
}

LinkInputCheck CheckLinkInputFile(Controller& controller) {
  const auto path = LinkFilePath(controller.model, kInExtension);
  if (!path) return {};
  const auto info = controller.ports.files->Stat(*path);
  if (!info) return {};
  LinkInputCheck check{LinkInputState::Fresh, info->ageSeconds, info->size};
  if (info->size > kMaxLinkInputBytes) {
    check.state = LinkInputState::TooLarge;
  } else if (info->ageSeconds > FreshInputLimitSeconds(controller.model)) {
    check.state = LinkInputState::Stale;
  }
  return check;
}

}  // namespace kavro
