#pragma once
// The trend plot Picture2: every named variable over the span of the plant history shown (live:
// the last hour up to now), each in its pen colour on its own vertical scale, with the two scale
// labels per variable and the span label lblPlotTime. A span with more cycles than the plot has
// pixel columns is drawn as each column's minimum and maximum. The cycles held in memory are
// drawn too, so the newest cycle shows before the recorder has committed it and the trend still
// draws live when the history is missing or fails. The refresh computes the whole picture as
// data (TrendState); the window scales the points to its size and draws them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/TrendState.h"
#include "model/Controller.h"

namespace kavro {

// The trend index (0..7) of a variable: inputs 1..6 are 0..5, outputs 1..2 are 6..7.
inline int TrendIndexOfInput(int input) {
  return input - 1;
}
inline int TrendIndexOfOutput(int output) {
  return NumIn + output - 1;
}

// A variable of the trend by its index 0..7: its name, history and scale settings.
struct TrendVariable {
  const std::string* name;
  const HistoryTable* history;
  std::string* plotHi;
  std::string* plotLo;
  int pen;  // 1..8
};
// Throws KavroError 9 "Subscript out of range" for an index outside 0..7.
TrendVariable TrendVariableAt(ControllerModel& model, int index);

// The trend area's state, made on first use.
TrendState& Trend(Controller& controller);

// Now on the controller's clock, as the history counts time.
std::int64_t TrendNowMs(Controller& controller);

// What lblPlotTime says of the span: "Live: last 1 h", or "8 h to Dec-05-2026 12:00:00" when
// scrolled back.
std::string TrendSpanText(const HistoryTrend& span);

// The cycles held in memory that fall in the span, oldest first: their place j (1..200) in the
// held history and their time.
struct HeldSample {
  int j = 0;
  std::int64_t timeMs = 0;
};
std::vector<HeldSample> HeldSamples(const ControllerModel& model, const HistoryTrend& span);

// What the main display build shows before any cycle: every scale label in its variable's pen
// colour, "A:" on those whose setting is "AUTO" (the others keep their text until the trend
// refresh writes the number), and the trend as the history has it: after a restart the last
// hour is drawn at once.
void ShowTrendCaptions(Controller& controller);

// Shows whether the operator hid variable index's pen: its trace is drawn or not, and its scale
// labels are in its pen colour or greyed.
void ShowPenState(Controller& controller, int index);

// The trend plot refresh, the last step of the status display refresh. Reads the span from the
// history and the held cycles and draws every named variable that has a value in it: scale AUTO
// (the extremes of the span) or fixed (PlotHi / PlotLo), a nearly flat trace in the middle of a
// band of width 1, the scale labels ("A: " before an automatic end), the trace and lblPlotTime.
// Without a history, nothing is drawn before 3 cycles are held. A PlotHi or PlotLo that is
// neither "AUTO" nor a number is drawn as AUTO and noted once in the event log.
void RefreshTrend(Controller& controller);

}  // namespace kavro
