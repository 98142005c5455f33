#pragma once
// The operator's control over the link: switching it on and off (Link / Link Status), the
// auto-restart option (Link / Link Restart) and the link's own start at program start.
#include "link/ActiveLink.h"
#include "model/Controller.h"

namespace kavro {

// Who switched the link, as the event log tells it.
inline constexpr const char* kByOperator = "the operator";
inline constexpr const char* kByRestartOption = "the restart option at start-up";

// Switches the configured link on without asking and shows the link state. Returns whether
// the link is now ON.
bool SwitchLinkOn(Controller& controller, ActiveLink& link, const char* by = kByOperator);

// Switches the link off and shows the link state.
void SwitchLinkOff(Controller& controller, ActiveLink& link, const char* by = kByOperator);

// Link / Link Status: asks, then switches the link on or off.
void mnuLinkStatus(Controller& controller, ActiveLink& link);

// Link / Link Restart: shows the auto-restart option, inverts it on OK, and saves FLC.dat.
void mnuLinkRestart(Controller& controller);

// Start-up: with the auto-restart option YES and a link client program named in the
// configuration, switches the file link on without asking (problems are shown as at a manual
// switch-on). The OPC link is only ever switched on by the operator.
void AutoStartLink(Controller& controller, ActiveLink& link);

}  // namespace kavro
