#pragma once
// The label lblLink of the status frame: what the link state looks like.
#include "model/Controller.h"

namespace kavro {

// lblLink from LinkStatus: "Link ON" on light green, otherwise "Link OFF" on light red.
void ShowLinkState(Controller& controller);

}  // namespace kavro
