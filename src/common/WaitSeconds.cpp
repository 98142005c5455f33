#include "common/WaitSeconds.h"

#include <algorithm>
#include <cmath>

#include "common/TimeOfDay.h"

namespace kavro {
namespace {

// The longest sleep between two rounds of window events.
constexpr double kSliceSeconds = 0.05;

}  // namespace

void WaitSeconds(Ports& ports, float seconds) {
  // A clock that stands still would never let the wait end.
  if (!(seconds >= 0) || !ports.clock->Runs() || !ports.events->Waits()) return;  // and NaN
  const double start = ports.clock->SecondsOfDay();
  for (;;) {
    ports.events->ProcessEvents();
    const double elapsed = SecondsBetween(start, ports.clock->SecondsOfDay());
    const double remaining = static_cast<double>(seconds) - elapsed;
    if (remaining <= 0) return;
    ports.events->Sleep(static_cast<int>(std::ceil(std::min(remaining, kSliceSeconds) * 1000.0)));
  }
}

}  // namespace kavro
