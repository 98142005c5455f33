#include "session/SimulatedClock.h"

#include "common/TimeOfDay.h"

namespace kavro {

SimulatedClock::SimulatedClock(const DateTime& start)
    : date_(start), seconds_(SecondsSinceMidnight(start)) {}

DateTime SimulatedClock::Now() {
  DateTime now = date_;
  const int whole = static_cast<int>(seconds_);
  now.hour = whole / 3600;
  now.minute = whole / 60 % 60;
  now.second = whole % 60;
  return now;
}

void SimulatedClock::Advance(int seconds) {
  seconds_ += seconds > 0 ? seconds : 0;
  while (seconds_ >= kSecondsPerDay) {
    seconds_ -= kSecondsPerDay;
    NextDay();
  }
}

void SimulatedClock::NextDay() {
  if (++date_.day <= DaysInMonth(date_.year, date_.month)) return;
  date_.day = 1;
  if (++date_.month <= 12) return;
  date_.month = 1;
  ++date_.year;
}

}  // namespace kavro
