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
};

}  // namespace kavro
