#pragma once
// Held cycles as the live trend finds them: count samples in memory, 10 s apart, the newest
// taken at the clock's now.
#include "display/TrendPlot.h"
#include "history/HistoryTime.h"

namespace kavro::test {

inline void HoldCycles(Controller& c, int count) {
  c.model.HistCount = static_cast<int16_t>(count);
  const std::int64_t now = TrendNowMs(c);
  for (int j = 1; j <= count; ++j) {
    c.model.HistoryTime[static_cast<std::size_t>(j)] =
        DateTimeOfHistoryMs(now - (count - j) * 10'000LL);
  }
}

}  // namespace kavro::test
