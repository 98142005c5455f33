#include "engine/EventNotes.h"

#include <cmath>

#include "engine/RunTimeError.h"

namespace kavro {
namespace {

const std::string& EventTitle(const Controller& controller) {
  const std::string& name = controller.model.FLCBlock.Name1;
  return name.empty() ? controller.model.ProductName : name;
}

}  // namespace

void NoteEvent(Controller& controller, EventKind kind, const std::string& text) {
  controller.events.Note(NowText(controller), EventTitle(controller), text, kind);
}

void RaiseEvent(Controller& controller, EventKind kind, const std::string& text) {
  controller.events.Add(NowText(controller), EventTitle(controller), text, kind);
}

std::string DurationText(double seconds) {
  const long long total = seconds > 0 ? std::llround(seconds) : 0;
  const long long hours = total / 3600;
  const long long minutes = total % 3600 / 60;
  const long long rest = total % 60;
  if (hours > 0) return std::to_string(hours) + " h " + std::to_string(minutes) + " min";
  if (minutes > 0) return std::to_string(minutes) + " min " + std::to_string(rest) + " s";
  return std::to_string(rest) + " s";
}

}  // namespace kavro
