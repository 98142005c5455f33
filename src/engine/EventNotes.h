#pragma once
// What the controller tells the event log of itself: start-up, the link switched and its
// faults, mode changes, saves. Entries carry the controller's name as their title and the
// present time, as the cycle's error reports do.
#include <string>

#include "model/Controller.h"

namespace kavro {

// Records the event without raising the notice.
void NoteEvent(Controller& controller, EventKind kind, const std::string& text);
// Records the event and raises the notice: the operator must see it on the main window.
void RaiseEvent(Controller& controller, EventKind kind, const std::string& text);

// A span of time for an event text: "45 s", "3 min 20 s", "2 h 5 min".
std::string DurationText(double seconds);

}  // namespace kavro
