#pragma once
// Standard error of a controller without a window: every new entry of the event log as one
// line, beside the events file that the session writes.
#include <functional>

#include "model/EventLog.h"

namespace kavro {

// Hands on the entries that came into an event log since the last call, a repeat of the
// newest entry included (as the entry with its count), each once.
class EventLogFollower {
 public:
  void Forward(const EventLog& log, const std::function<void(const EventEntry&)>& to);

 private:
  EventEntry last_;
  bool any_ = false;
};

}  // namespace kavro
