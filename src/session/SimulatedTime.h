#pragma once
// Time for controllers that run off-line, as fast as they can: the replay and the tuner. Their
// cycles follow each other RunFrequency seconds apart on this clock whatever the machine's
// speed, so results and error times never depend on it.
#include "common/DateText.h"
#include "common/ports/Clock.h"
#include "common/ports/CycleTimer.h"

namespace kavro {

class SimulatedClock : public Clock {
 public:
  explicit SimulatedClock(const DateTime& start);
  double SecondsOfDay() override { return seconds_; }
  DateTime Now() override;
  // Moves on by that many seconds (none when not above 0), across midnight into the next day.
  void Advance(int seconds);

 private:
  void NextDay();
  DateTime date_;
  double seconds_;
};

// The next cycle follows at once.
class ImmediateTimer : public CycleTimer {
 public:
  void Arm(int) override {}
  void Stop() override {}
};

}  // namespace kavro
