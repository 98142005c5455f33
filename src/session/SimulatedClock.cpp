#include "session/SimulatedClock.h"

#include "common/TimeOfDay.h"

namespace kavro {

SimulatedClock::SimulatedClock(const DateTime& start)
    : date_(start), seconds_(SecondsSinceMidnight(start)) {
  SetNow();
}

// Worked out as the time moves, not as it is asked: a cycle asks for it twice or more.
void SimulatedClock::SetNow() {
  now_ = date_;
  const int whole = static_cast<int>(seconds_);
  now_.hour = whole / 3600;
  now_.minute = whole / 60 % 60;
  now_.second = whole % 60;
}

void SimulatedClock::Advance(int seconds) {
  seconds_ += seconds > 0 ? seconds : 0;
  while (seconds_ >= kSecondsPerDay) {
    seconds_ -= kSecondsPerDay;
    NextDay();
  }
  SetNow();
}

void SimulatedClock::NextDay() {
  if (++date_.day <= DaysInMonth(date_.year, date_.month)) return;
  date_.day = 1;
  if (++date_.month <= 12) return;
  date_.month = 1;
  ++date_.year;
}

}  // namespace kavro
