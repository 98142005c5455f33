#pragma once
// What the operator does to the span the trend shows, and what the cursor reads. Each gesture
// moves the span and draws the trend anew; none changes the controller.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Controller.h"

namespace kavro {

// The plot's width in pixel columns: a wider plot reads more columns of the history.
void SetTrendColumns(Controller& controller, int columns);
// 0..5: "10 min", "1 h", "8 h", "24 h", "7 d", "30 d".
void ZoomTrendPreset(Controller& controller, std::size_t preset);
// The wheel: below 1 zooms in, above 1 out.
void ZoomTrend(Controller& controller, double factor);
// A drag, the arrow and page keys: by a share of the span, negative back in time.
void ScrollTrend(Controller& controller, double spans);
// The scroll bar: the span ends at end (history milliseconds).
void ScrollTrendTo(Controller& controller, std::int64_t end);
// Back to the newest cycle, following it.
void TrendLive(Controller& controller);

// The cursor at x (a fraction of the plot's width): the time of the cycle there and each shown
// pen's value then, read from the cycles held in memory or, further back, from the history.
struct TrendCursorLine {
  std::string text;
  Colour colour;
};
struct TrendCursor {
  std::int64_t timeMs = 0;             // the cycle read
  double x = 0;                        // its place, a fraction of the width
  std::vector<TrendCursorLine> lines;  // its time first, then "NAME: value" per shown pen
};
// Nothing while the plot is empty or no cycle lies in the span left of x.
std::optional<TrendCursor> TrendCursorAt(Controller& controller, double x);

}  // namespace kavro
