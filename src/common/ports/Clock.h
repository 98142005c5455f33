#pragma once
// The wall clock: time of day and the current date and time.
#include "common/DateText.h"

namespace kavro {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since midnight, with a fractional part (0 <= s < 86400).
  virtual double SecondsOfDay() = 0;
  virtual DateTime Now() = 0;
  // False for the stand-in of a controller without a clock: its time stands still at 0, so it
  // has no time to stamp, nothing it times ever falls due and a wait on it ends at once.
  virtual bool Runs() { return true; }
};

// Stands in where no clock was given: seconds of day 0, a default DateTime, never runs.
Clock& NoClock();

}  // namespace kavro
