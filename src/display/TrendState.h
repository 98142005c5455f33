#pragma once
// The trend area of the main window as data: each pen's name and the scale labels over and under
// the plot (lblScaleHi, lblScaleLo, one pair per variable, index 0 = input 1 .. 7 = output 2), the
// label beside its scroll bar (lblPlotTime: the span shown), the plot Picture2, and the span of the
// plant history it shows (live or scrolled back, its length, its pixel columns). The window state
// holds it as one member; only the trend's display module decides what goes in it.
#include <array>

#include "display/HistoryTrend.h"
#include "model/TrendPicture.h"
#include "model/WindowState.h"

namespace kavro {

struct TrendState {
  // Each pen's name over its scale, in its pen colour (grey while the operator hides it).
  std::array<LabelState, kTrendVariables> lblPenName{};
  std::array<LabelState, kTrendVariables> lblScaleHi{};
  std::array<LabelState, kTrendVariables> lblScaleLo{};
  LabelState lblPlotTime;
  TrendPicture Picture2;
  HistoryTrend span;
};

}  // namespace kavro
