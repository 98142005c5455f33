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
  FileSystem& files = *controller.ports.files;
  const auto info = files.Stat(*path);
  if (!info) return {};
  LinkInputCheck check{LinkInputState::Fresh, info->ageSeconds, info->size};
  if (info->size > kMaxLinkInputBytes) {
    check.state = LinkInputState::TooLarge;
  } else if (info->ageSeconds > FreshInputLimitSeconds(controller.model)) {
    check.state = LinkInputState::Stale;
  } else if (const auto tag = LinkFilePath(controller.model, kTagExtension)) {
    // Looked at after .IN, so an .IN written at the same moment as .Tag never seems older.
    const auto switchedOn = files.Stat(*tag);
    if (switchedOn && info->ageSeconds > switchedOn->ageSeconds) {
      check.state = LinkInputState::Leftover;
    }
  }
  return check;
}

}  // namespace kavro
