#pragma once
// The operator's control over the link: switching it on and off (Link / Link Status) and the
// auto-restart option (Link / Link Restart), and the label lblLink that shows the link state.
#include "model/Controller.h"

namespace kavro {

// lblLink from LinkStatus: "Link ON" on light green, otherwise "Link OFF" on light red.
void ShowLinkState(Controller& controller);

// Switches the file link on without asking: checks Name1 and the link client name, writes the
// .Tag file, starts the link client program with Name1 and sets the link ON, the first cycle
// then only writing. A name that cannot be used in a path, or a program that does not start,
// is shown to the operator and leaves the link OFF. Returns whether the link is now ON.
bool SwitchLinkOn(Controller& controller);

// Switches the link off: LinkStatus "OFF", the final STOP file, then LinkStatusSent "OFF". The
// link client program is not stopped; the STOP file is its notice.
void SwitchLinkOff(Controller& controller);

// Link / Link Status: asks, then switches the link on or off.
void mnuLinkStatus(Controller& controller);

// Link / Link Restart: shows the auto-restart option, inverts it on OK, and saves FLC.dat.
void mnuLinkRestart(Controller& controller);

}  // namespace kavro
