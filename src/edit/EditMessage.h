#pragma once
// A modal message of the configuration editing: CycleHold is set while it is up, so the cycle
// keeps controlling but does not redraw under the box, and is put back as it was afterwards.
#include <string>

#include "model/Controller.h"

namespace kavro {

// The answer to a click or a key on the main grid while the screen is locked.
inline constexpr const char* kScreenLockedMessage =
    "Screen is Locked, Use Menu Screen Lock To UnLock";
void ShowScreenLocked(Controller& controller);

MsgAnswer ShowEditMessage(Controller& controller, const std::string& text, const std::string& title,
                          MsgIcon icon, MsgButtons buttons = MsgButtons::OK);

}  // namespace kavro
