#pragma once
// The run frequency the DCS sends becomes the cycle's period only when it is one. A value of 0 or
// less (a tag the DCS never filled in, a wrong scaling) would otherwise make the controller cycle
// every second; it is a read error of that one tag instead: the last good run frequency stays,
// and the event log says so when the refusal begins, not every cycle. Both links read it so.
#include <cstdint>

#include "model/Controller.h"

namespace kavro {

class DcsRunFrequency {
 public:
  // Takes the value read from the DCS as RunFrequency when it is above 0; otherwise keeps
  // RunFrequency and, unless the last value was refused too, notes the refusal.
  void Take(Controller& controller, int16_t value);

 private:
  bool refusing_ = false;
};

}  // namespace kavro
