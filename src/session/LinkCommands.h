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

// Link / Link Restart: shows the auto-restart option; OK inverts it and writes only that line
// into FLC.dat (edits not yet saved stay unsaved); Cancel changes nothing.
void mnuLinkRestart(Controller& controller);

// Start-up: with the auto-restart option YES and a link named in the configuration (a link
// client program, or the OPC link's server), switches the link on without asking, so that a
// restarted workstation takes up control again; problems are shown as at a manual switch-on.
void AutoStartLink(Controller& controller, ActiveLink& link);

}  // namespace kavro
