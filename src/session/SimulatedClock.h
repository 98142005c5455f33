#pragma once
// A clock that moves only when told: runs on recorded or simulated plant time (the replay, a
// tuning run) step their cycles RunFrequency seconds apart, whatever the machine's speed, so
// results and error times do not depend on it.
#include "common/DateText.h"
#include "common/ports/Clock.h"

namespace kavro {

class SimulatedClock : public Clock {
 public:
  explicit SimulatedClock(const DateTime& start);
  double SecondsOfDay() override { return seconds_; }
  DateTime Now() override { return now_; }
  // Moves the time on (never back), into the next days past midnight.
  void Advance(int seconds);

 private:
  void NextDay();
  void SetNow();
  DateTime date_;
  double seconds_;
  DateTime now_;  // date_ at seconds_
};

}  // namespace kavro
