#include "session/HeadlessEvents.h"


namespace kavro {

namespace {

bool SameEvent(const EventEntry& a, const EventEntry& b) {
  return a.when == b.when && a.title == b.title && a.text == b.text;
}

}  // namespace

void EventLogFollower::Forward(const EventLog& log,
                               const std::function<void(const EventEntry&)>& to) {
  const auto& entries = log.Entries();
  if (entries.empty()) return;
  // The newest entry handed on before, looked for from the end: what follows it is new.
  std::size_t next = 0;
  if (any_) {
    for (std::size_t k = entries.size(); k-- > 0;) {
      if (SameEvent(entries[k], last_)) {
        if (entries[k].repeats > last_.repeats) to(entries[k]);
        next = k + 1;
        break;
      }
    }
  }
  for (std::size_t k = next; k < entries.size(); ++k) to(entries[k]);
  last_ = entries.back();
  any_ = true;
}

}  // namespace kavro
