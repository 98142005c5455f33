#pragma once
// The small commands of the Help, Calc and Screen Lock menus. None of them holds the cycle or
// saves the configuration.
#include "model/Controller.h"

namespace kavro {

// Seconds after an unlock until the control cycle locks the screen again.
inline constexpr int16_t kUnlockSeconds = 300;

void mnuAbout(Controller& controller);
void mnuErrorCodes(Controller& controller);
// Toggles the screen lock: unlocking starts the countdown after which the cycle locks again.
void mnuScreenLock(Controller& controller);
// Toggles slope correction and its check mark together.
void mnuSlope(Controller& controller);

}  // namespace kavro
