#pragma once
// The trend plot Picture2: the recent history of every named variable, each in its pen colour on
// its own vertical scale, with the two scale labels per variable and the time-span label
// lblPlotTime. The refresh computes the whole picture as data (window.Picture2); the window
// scales the points to its size and draws them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// "Max 200 Points; 100 mins" at a run frequency of 30 s.
std::string PlotTimeText(int16_t runFrequency);

// What the main display build shows before any refresh: every scale label in its variable's pen
// colour, "A:" on those whose setting is "AUTO" (the others keep their text until the trend
// refresh writes the number), and the time span.
void ShowTrendCaptions(Controller& controller);

// Shows whether the operator hid variable index's pen: its trace is drawn or not, and its scale
// labels are in its pen colour or greyed.
void ShowPenState(Controller& controller, int index);

// The trend plot refresh, the last step of the status display refresh. Clears the picture and,
// from 3 samples on, draws every named variable: scale AUTO (the extremes of the history) or
// fixed (PlotHi / PlotLo), a nearly flat trace in the middle of a band of width 1, the scale
// labels ("A: " before an automatic end), the trace and lblPlotTime. A PlotHi or PlotLo that is
// neither "AUTO" nor a number is drawn as AUTO and noted once in the event log.
void RefreshTrend(Controller& controller);

// The place of sample j (1..200) across the plot, as a fraction of the drawing width.
double TrendX(int sample);

// The sample under the mouse at x (a fraction of the drawing width) and what it shows: its time
// first, then each shown variable's name and value in its pen colour.
struct TrendCursorLine {
  std::string text;
  Colour colour;
};
struct TrendCursor {
  int sample = 0;  // 1-based
  double x = 0;    // the sample's place, a fraction of the drawing width
  std::vector<TrendCursorLine> lines;
};
// Nothing while the picture is empty.
std::optional<TrendCursor> TrendCursorAt(const TrendPicture& picture, double x);

}  // namespace kavro
