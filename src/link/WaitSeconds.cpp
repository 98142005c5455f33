#include "link/WaitSeconds.h"

#include <algorithm>
#include <cmath>

namespace kavro {
namespace {

// The longest sleep between two rounds of window events.
constexpr double kSliceSeconds = 0.05;
constexpr double kSecondsPerDay = 86400.0;

}  // namespace

void WaitSeconds(Ports& ports, float seconds) {
  if (!(seconds >= 0) || !ports.clock || !ports.events) return;  // also refuses NaN
  const double start = ports.clock->SecondsOfDay();
  for (;;) {
    ports.events->ProcessEvents();
    double elapsed = ports.clock->SecondsOfDay() - start;
    if (elapsed < 0) elapsed += kSecondsPerDay;  // midnight passed
    const double remaining = static_cast<double>(seconds) - elapsed;
    if (remaining <= 0) return;
    ports.events->Sleep(static_cast<int>(std::ceil(std::min(remaining, kSliceSeconds) * 1000.0)));
  }
}

}  // namespace kavro
