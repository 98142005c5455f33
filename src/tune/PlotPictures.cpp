#include "tune/PlotPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kavro {
namespace {

constexpr Colour kBefore = Colour::FromRgb(200, 40, 40);
constexpr Colour kAfter = Colour::FromRgb(30, 70, 200);
constexpr Colour kTargets = Colour::FromRgb(120, 120, 120);

struct Series {
  const std::vector<float>* values;
  Colour pen;
};

// All series on one scale with a little room above and below.
PlotPanel Panel(std::string title, const std::vector<Series>& series) {
  PlotPanel panel;
  float lo = 0;
  float hi = 0;
  bool any = false;
  for (const Series& s : series) {
    for (const float v : *s.values) {
      if (!std::isfinite(v)) continue;
      lo = any ? std::min(lo, v) : v;
      hi = any ? std::max(hi, v) : v;
      any = true;
    }
  }
  const double margin = hi > lo ? 0.05 * (hi - lo) : 1.0;
  const double top = hi + margin;
  const double bottom = lo - margin;
  TrendPicture& picture = panel.picture;
  for (std::size_t n = 0; n < series.size(); ++n) {
    TrendTrace trace;
    trace.index = static_cast<int>(n);
    trace.pen = series[n].pen;
    trace.hi = top;
    trace.lo = bottom;
    const std::vector<float>& values = *series[n].values;
    const std::size_t count = values.size();
    for (std::size_t k = 0; k < count; ++k) {
      if (!std::isfinite(values[k])) continue;
      const double x = count > 1 ? static_cast<double>(k) / static_cast<double>(count - 1) : 0;
      const double y = picture.bandTop + (top - values[k]) / (top - bottom) *
                                             (picture.bandBottom - picture.bandTop);
      trace.points.push_back({x, y});
    }
    picture.traces.push_back(std::move(trace));
  }
  char scale[96];
  std::snprintf(scale, sizeof scale, "  (scale %.5g .. %.5g)", bottom, top);
  panel.title = std::move(title) + scale;
  picture.lineWidth = 1;
  return panel;
}

}  // namespace

std::vector<PlotPanel> InputPanels(const TunePlots& plots) {
  std::vector<PlotPanel> panels;
  for (std::size_t i = 0; i < plots.before.inputs.size() && i < plots.after.inputs.size(); ++i) {
    const TracedInput& before = plots.before.inputs[i];
    const TracedInput& after = plots.after.inputs[i];
    panels.push_back(Panel(before.tag + ": before tuning (red), after (blue), targets (grey)",
                           {{&before.high, kTargets},
                            {&before.low, kTargets},
                            {&before.value, kBefore},
                            {&after.value, kAfter}}));
  }
  return panels;
}

std::vector<PlotPanel> OutputPanels(const TunePlots& plots) {
  std::vector<PlotPanel> panels;
  for (std::size_t o = 0; o < plots.before.outputs.size() && o < plots.after.outputs.size(); ++o) {
    const TracedOutput& before = plots.before.outputs[o];
    const TracedOutput& after = plots.after.outputs[o];
    panels.push_back(Panel(before.tag + ": before tuning (red), after (blue)",
                           {{&before.value, kBefore}, {&after.value, kAfter}}));
  }
  return panels;
}

PlotPanel ObjectivePanel(const TunePlots& plots) {
  const std::vector<float> best(plots.bestSoFar.begin(), plots.bestSoFar.end());
  return Panel("best objective over " + std::to_string(best.size()) + " evaluations",
               {{&best, kAfter}});
}

}  // namespace kavro
