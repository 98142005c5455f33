#include "link/DcsRunFrequency.h"

#include <string>

#include "engine/EventNotes.h"

namespace kavro {

void DcsRunFrequency::Take(Controller& controller, int16_t value) {
  int16_t& runFrequency = controller.model.FLCBlock.RunFrequency;
  if (value > 0) {
    runFrequency = value;
    refusing_ = false;
    return;
  }
  if (refusing_) return;
  refusing_ = true;
  NoteEvent(controller, EventKind::LinkFault,
            "Run frequency read from the DCS is " + std::to_string(value) +
                " s, which is no period: the controller keeps its run frequency of " +
                std::to_string(runFrequency) + " s");
}

}  // namespace kavro
