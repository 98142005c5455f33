#pragma once
// The trend plot Picture2 as data: one trace per named variable, each point placed as a fraction
// of the plot's drawing width and height, so the window only scales them to its own size and
// draws. The core fills it at every trend refresh; the window paints it and nothing else.
#include <array>
#include <string>
#include <vector>

#include "model/Colour.h"
#include "model/Dimensions.h"

namespace kavro {

// Scale label and pen index of a variable: 0..5 for inputs 1..6, 6..7 for outputs 1..2.
inline constexpr int kTrendVariables = NumIn + NumOut;

struct TrendPoint {
  double x = 0;  // fraction of the drawing width, from the left
  double y = 0;  // fraction of the drawing height, from the top (y grows downwards)
};

struct TrendTrace {
  int index = 0;      // 0..7, as the scale labels
  std::string name;   // PVarName without trailing blanks
  Colour pen;         // the variable's pen colour
  bool shown = true;  // the operator has not hidden this pen
  double hi = 0;      // the scale the trace is drawn on
  double lo = 0;
  std::vector<TrendPoint> points;  // oldest first
  // Indexes of the points that start a new line: the history has a gap before them.
  std::vector<std::size_t> breaks;
};

struct TrendPicture {
  // Empty while there is nothing to draw: the area stays blank.
  std::vector<TrendTrace> traces;
  // The band between the top and the bottom of every scale, as fractions of the height.
  double bandTop = 0.02;
  double bandBottom = 0.94;
  int lineWidth = 2;

  // Pens the operator switched off by clicking the variable's name; kept across refreshes.
  std::array<bool, kTrendVariables> penHidden{};
  // PlotHi / PlotLo texts that could not be read and were already told to the event log, so a
  // bad setting is noted once, not every cycle.
  std::array<std::string, kTrendVariables> badHiNoted{};
  std::array<std::string, kTrendVariables> badLoNoted{};
};

}  // namespace kavro
