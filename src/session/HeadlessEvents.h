#pragma once
// Standard error of a controller without a window: every new entry of the event log as one
// line, beside the events file that the session writes.
#include <cstdint>
#include <functional>

#include "model/EventLog.h"

namespace kavro {

// Hands on the entries that came into an event log since the last call, each once; a repeat of
// an entry handed on before comes again, with its count. Followed by the log's revision, so two
// events alike in time, title and text are never taken for one, and an old one never for new.
class EventLogFollower {
 public:
  void Forward(const EventLog& log, const std::function<void(const EventEntry&)>& to);

 private:
  std::uint64_t seen_ = 0;
};

}  // namespace kavro
