#include "session/HeadlessEvents.h"

namespace kavro {

void EventLogFollower::Forward(const EventLog& log,
                               const std::function<void(const EventEntry&)>& to) {
  const auto& entries = log.Entries();
  // Only the newest entry is ever stamped again, so the unseen ones are a tail of the log.
  std::size_t first = entries.size();
  while (first > 0 && entries[first - 1].revision > seen_) --first;
  for (std::size_t k = first; k < entries.size(); ++k) to(entries[k]);
  seen_ = log.Revision();
}

}  // namespace kavro
