#include "display/TrendView.h"

#include <algorithm>
#include <cmath>

#include "common/NumberText.h"
#include "display/TrendPlot.h"
#include "history/HistoryTime.h"

namespace kavro {

namespace {

constexpr const char* kValueFormat = "#####0.000";

HistoryTrend& Span(Controller& c) {
  return Trend(c).span;
}

// One cycle's values by trend index, from wherever it was read.
struct CycleValues {
  std::int64_t timeMs = 0;
  std::array<double, kTrendVariables> values{};
};

std::optional<CycleValues> HeldCycleAt(Controller& c, std::int64_t time) {
  const std::vector<HeldSample> held = HeldSamples(c.model, Span(c));
  // The held cycles are the newest: they answer for any time from their oldest on.
  if (held.empty() || time < held.front().timeMs) return std::nullopt;
  auto at = std::upper_bound(held.begin(), held.end(), time,
                             [](std::int64_t t, const HeldSample& s) { return t < s.timeMs; });
  const HeldSample& s = *std::prev(at);
  CycleValues cycle;
  cycle.timeMs = s.timeMs;
  for (int index = 0; index < kTrendVariables; ++index) {
    const TrendVariable v = TrendVariableAt(c.model, index);
    cycle.values[static_cast<std::size_t>(index)] = (*v.history)[static_cast<std::size_t>(s.j)];
  }
  return cycle;
}

std::optional<CycleValues> RecordedCycleAt(Controller& c, std::int64_t time) {
  const auto record = Span(c).CycleAt(time);
  if (!record) return std::nullopt;
  CycleValues cycle;
  cycle.timeMs = record->timeMs;
  for (int i = 1; i <= NumIn; ++i) {
    cycle.values[static_cast<std::size_t>(TrendIndexOfInput(i))] = record->in[i].pv;
  }
  for (int k = 1; k <= NumOut; ++k) {
    cycle.values[static_cast<std::size_t>(TrendIndexOfOutput(k))] = record->out[k].pv;
  }
  return cycle;
}

}  // namespace

void SetTrendColumns(Controller& c, int columns) {
  if (columns == Span(c).Columns()) return;
  Span(c).SetColumns(columns);
  RefreshTrend(c);
}

void ZoomTrendPreset(Controller& c, std::size_t preset) {
  Span(c).ZoomPreset(preset);
  RefreshTrend(c);
}

void ZoomTrend(Controller& c, double factor) {
  Span(c).Zoom(factor);
  RefreshTrend(c);
}

void ScrollTrend(Controller& c, double spans) {
  Span(c).ScrollBy(spans, TrendNowMs(c));
  RefreshTrend(c);
}

void ScrollTrendTo(Controller& c, std::int64_t end) {
  Span(c).ScrollTo(end, TrendNowMs(c));
  RefreshTrend(c);
}

void TrendLive(Controller& c) {
  Span(c).GoLive();
  RefreshTrend(c);
}

std::optional<TrendCursor> TrendCursorAt(Controller& c, double x) {
  const TrendState& t = Trend(c);
  if (t.Picture2.traces.empty() || !std::isfinite(x)) return std::nullopt;
  const HistoryTrend& span = t.span;
  const double share = std::clamp(x, 0.0, 1.0);
  const std::int64_t time =
      span.Start() +
      static_cast<std::int64_t>(std::llround(share * static_cast<double>(span.SpanMs())));
  auto cycle = HeldCycleAt(c, time);
  if (!cycle) cycle = RecordedCycleAt(c, time);
  if (!cycle || cycle->timeMs < span.Start()) return std::nullopt;
  TrendCursor cursor;
  cursor.timeMs = cycle->timeMs;
  cursor.x = static_cast<double>(cycle->timeMs - span.Start()) / static_cast<double>(span.SpanMs());
  cursor.lines.push_back(
      {FormatDateTime(DateTimeOfHistoryMs(cycle->timeMs), kScreenDateTime), kBlack});
  for (const TrendTrace& trace : t.Picture2.traces) {
    if (!trace.shown) continue;
    cursor.lines.push_back(
        {trace.name + ": " +
             FormatNumber(cycle->values[static_cast<std::size_t>(trace.index)], kValueFormat),
         trace.pen});
  }
  return cursor;
}

}  // namespace kavro
