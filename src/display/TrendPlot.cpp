#include "display/TrendPlot.h"

#include <algorithm>
#include <cmath>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "display/PenColours.h"
#include "engine/EventNotes.h"
#include "history/HistoryTime.h"

namespace kavro {

namespace {

// The band of a scale runs from 94 % of the height (its bottom) up 92 % of it, so the top of the
// scale lies at 2 %.
constexpr double kBottom = 0.94;
constexpr double kBandHeight = 0.92;
// A trace whose range is below this is drawn in the middle of a band of width 1.
constexpr double kFlatRange = 0.05;
// Points far outside the band (a fixed scale the trace has left) are clipped by the window; they
// are held this far out so that no painter is handed an unbounded coordinate.
constexpr double kFarOut = 1000;
// Cycles further apart than this many run periods are a gap in the history: not joined.
constexpr double kGapPeriods = 3;

constexpr const char* kScaleFormat = "#####0.000";
constexpr Colour kHiddenPenLabel = Colour::FromRgb(160, 160, 160);
constexpr int kLeastSamples = 3;

struct ScaleEnd {
  double value = 0;
  bool automatic = true;
};

// PlotHi or PlotLo as a number; nothing when it is "AUTO" or cannot be read. A variable named
// in a controller that started without FLC.dat has no setting yet: blank is automatic too.
std::optional<double> FixedSetting(const std::string& setting, bool& unreadable) {
  unreadable = false;
  if (setting == kAuto || IsAllSpaces(setting)) return std::nullopt;
  try {
    return ToSingle(setting);
  } catch (const KavroError&) {
    unreadable = true;
    return std::nullopt;
  }
}

// Tells the event log once about a setting that cannot be read; a good setting clears the
// memory so that a later bad one is told again.
void NoteUnreadable(Controller& c, const std::string& name, const char* key,
                    const std::string& setting, bool unreadable, std::string& noted) {
  if (!unreadable) {
    noted.clear();
    return;
  }
  if (noted == setting) return;
  noted = setting;
  NoteEvent(c, EventKind::Configuration,
            "Trend of " + name + ": " + key + " \"" + setting +
                "\" is neither AUTO nor a number; the scale is drawn as AUTO until it is set");
}

// The top (largest value of the span) or bottom (smallest) of a variable's scale, or its fixed
// setting.
ScaleEnd EndOfScale(Controller& c, const TrendVariable& v, const std::vector<ColumnExtremes>& span,
                    int index, bool top) {
  const std::string& setting = top ? *v.plotHi : *v.plotLo;
  TrendPicture& picture = Trend(c).Picture2;
  std::string& noted =
      (top ? picture.badHiNoted : picture.badLoNoted)[static_cast<std::size_t>(index)];
  bool unreadable = false;
  const auto fixed = FixedSetting(setting, unreadable);
  NoteUnreadable(c, TrimRight(*v.name), top ? "PlotHi" : "PlotLo", setting, unreadable, noted);
  if (fixed) return {*fixed, false};
  double end = top ? -1000000 : 1000000;
  for (const ColumnExtremes& cell : span) {
    if (cell.any) end = top ? std::max(end, cell.max) : std::min(end, cell.min);
  }
  return {end, true};
}

std::string ScaleCaption(const ScaleEnd& end) {
  const std::string number = FormatNumber(end.value, kScaleFormat);
  return end.automatic ? "A: " + number : number;
}

double TrendY(double value, double lo, double range) {
  const double y = kBottom - (value - lo) * kBandHeight / range;
  if (std::isnan(y)) return kBottom;  // a value that is not a number sits on the bottom line
  return std::clamp(y, -kFarOut, kFarOut);
}

void Merge(ColumnExtremes& cell, double value) {
  if (std::isnan(value)) return;
  if (!cell.any) {
    cell = {true, value, value};
    return;
  }
  cell.min = std::min(cell.min, value);
  cell.max = std::max(cell.max, value);
}

// The variable's extremes per column: the history's, with the held cycles of the span merged
// in (the same values where both have a cycle).
std::vector<ColumnExtremes> ColumnsOf(Controller& c, const TrendVariable& v, int index,
                                      const std::vector<HeldSample>& held) {
  const HistoryTrend& span = Trend(c).span;
  std::vector<ColumnExtremes> columns = span.ExtremesOf(index + 1);
  for (const HeldSample& s : held) {
    Merge(columns[static_cast<std::size_t>(span.ColumnOf(s.timeMs))],
          (*v.history)[static_cast<std::size_t>(s.j)]);
  }
  return columns;
}

// Each column with a value is one point, or two (its maximum and minimum, the one nearer the
// line so far first) where it holds several values: a long span drawn as its extremes.
void PlaceColumns(TrendTrace& trace, const std::vector<ColumnExtremes>& columns, double lo,
                  double range, int gapColumns) {
  const double width = static_cast<double>(columns.size());
  int previous = -1;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    const ColumnExtremes& cell = columns[k];
    if (!cell.any) continue;
    const int column = static_cast<int>(k);
    if (previous >= 0 && column - previous > gapColumns)
      trace.breaks.push_back(trace.points.size());
    const double x = (static_cast<double>(k) + 0.5) / width;
    const double high = TrendY(cell.max, lo, range), low = TrendY(cell.min, lo, range);
    if (high == low) {
      trace.points.push_back({x, high});
    } else {
      const double last = trace.points.empty() ? high : trace.points.back().y;
      const bool highFirst = std::fabs(last - high) <= std::fabs(last - low);
      trace.points.push_back({x, highFirst ? high : low});
      trace.points.push_back({x, highFirst ? low : high});
    }
    previous = column;
  }
}

void DrawVariable(Controller& c, int index, const std::vector<HeldSample>& held) {
  const TrendVariable v = TrendVariableAt(c.model, index);
  TrendState& t = Trend(c);
  const std::vector<ColumnExtremes> columns = ColumnsOf(c, v, index, held);
  if (std::none_of(columns.begin(), columns.end(), [](const auto& cell) { return cell.any; })) {
    return;  // nothing of this variable in the span
  }
  ScaleEnd hi = EndOfScale(c, v, columns, index, true);
  ScaleEnd lo = EndOfScale(c, v, columns, index, false);
  double range = hi.value - lo.value;
  if (range < kFlatRange) {
    hi.value += (1 - range) / 2;
    lo.value -= (1 - range) / 2;
    range = 1;
  }
  const auto slot = static_cast<std::size_t>(index);
  t.lblScaleHi[slot].caption = ScaleCaption(hi);
  t.lblScaleLo[slot].caption = ScaleCaption(lo);

  TrendTrace trace;
  trace.index = index;
  trace.name = TrimRight(*v.name);
  trace.pen = PenColor(v.pen);
  trace.shown = !t.Picture2.penHidden[slot];
  trace.hi = hi.value;
  trace.lo = lo.value;
  const double columnMs = static_cast<double>(t.span.SpanMs()) / t.span.Columns();
  const double gapMs = kGapPeriods * 1000.0 * std::max<int>(c.model.FLCBlock.RunFrequency, 1);
  const int gapColumns = std::max(1, static_cast<int>(std::ceil(gapMs / columnMs)));
  PlaceColumns(trace, columns, lo.value, range, gapColumns);
  t.Picture2.traces.push_back(std::move(trace));
}

std::string SpanLength(std::int64_t ms) {
  for (std::size_t k = 0; k < kTrendZoomSpans.size(); ++k) {
    if (kTrendZoomSpans[k] == ms) return TrendZoomCaption(k);
  }
  if (ms < 2 * kHourMs) return std::to_string((ms + kMinuteMs / 2) / kMinuteMs) + " min";
  if (ms < 2 * kDayMs) return std::to_string((ms + kHourMs / 2) / kHourMs) + " h";
  return std::to_string((ms + kDayMs / 2) / kDayMs) + " d";
}

}  // namespace

TrendVariable TrendVariableAt(ControllerModel& model, int index) {
  if (index >= 0 && index < NumIn) {
    PVarInRecord& in = model.PVarIn[static_cast<std::size_t>(index + 1)];
    return {&in.PVarName, &in.History, &in.PlotHi, &in.PlotLo, InputPen(index + 1)};
  }
  if (index >= NumIn && index < kTrendVariables) {
    const int k = index - NumIn + 1;
    PVarOutRecord& out = model.PVarOut[static_cast<std::size_t>(k)];
    return {&out.PVarName, &out.History, &out.PlotHi, &out.PlotLo, OutputPen(k)};
  }
  throw KavroError(errors::kSubscript, errors::kSubscriptText);
}

TrendState& Trend(Controller& c) {
  return *c.window.trend;
}

std::int64_t TrendNowMs(Controller& c) {
  return HistoryMs(c.ports.clock->Now(), c.ports.clock->SecondsOfDay());
}

std::string TrendSpanText(const HistoryTrend& span) {
  std::string text;
  if (span.Live()) {
    text.append("Live: last ").append(SpanLength(span.SpanMs()));
  } else {
    text.append(SpanLength(span.SpanMs())).append(" to ");
    AppendDateTime(text, DateTimeOfHistoryMs(span.End()), kScreenDateTime);
  }
  return text;
}

std::vector<HeldSample> HeldSamples(const ControllerModel& model, const HistoryTrend& span) {
  std::vector<HeldSample> held;
  const int samples = std::clamp<int>(model.HistCount, 0, HistoryLength);
  for (int j = 1; j <= samples; ++j) {
    const std::int64_t time = HistoryMs(model.HistoryTime[static_cast<std::size_t>(j)]);
    if (time >= span.Start() && time <= span.End()) held.push_back({j, time});
  }
  return held;
}

void ShowTrendCaptions(Controller& c) {
  TrendState& t = Trend(c);
  for (int index = 0; index < kTrendVariables; ++index) {
    const TrendVariable v = TrendVariableAt(c.model, index);
    const auto slot = static_cast<std::size_t>(index);
    if (*v.plotHi == kAuto) t.lblScaleHi[slot].caption = "A:";
    if (*v.plotLo == kAuto) t.lblScaleLo[slot].caption = "A:";
  }
  RefreshTrend(c);
}

void ShowPenState(Controller& c, int index) {
  const TrendVariable v = TrendVariableAt(c.model, index);
  TrendState& t = Trend(c);
  const auto slot = static_cast<std::size_t>(index);
  const bool hidden = t.Picture2.penHidden[slot];
  const Colour colour = hidden ? kHiddenPenLabel : PenColor(v.pen);
  t.lblScaleHi[slot].foreColour = t.lblScaleLo[slot].foreColour = colour;
  t.lblPenName[slot].foreColour = colour;
  t.lblPenName[slot].caption = TrimRight(*v.name);
  for (TrendTrace& trace : t.Picture2.traces) {
    if (trace.index == index) trace.shown = !hidden;
  }
}

void RefreshTrend(Controller& c) {
  TrendState& t = Trend(c);
  t.Picture2.traces.clear();
  for (int index = 0; index < kTrendVariables; ++index) ShowPenState(c, index);
  t.span.SetWorkDir(c.model.WorkDir);
  const bool recorded = t.span.Refresh(TrendNowMs(c));
  t.lblPlotTime.caption = TrendSpanText(t.span);
  const std::vector<HeldSample> held = HeldSamples(c.model, t.span);
  if (!recorded && static_cast<int>(held.size()) < kLeastSamples) return;
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(c.model.PVarIn[static_cast<std::size_t>(i)])) {
      DrawVariable(c, TrendIndexOfInput(i), held);
    }
  }
  for (int k = 1; k <= NumOut; ++k) {
    if (IsUsed(c.model.PVarOut[static_cast<std::size_t>(k)])) {
      DrawVariable(c, TrendIndexOfOutput(k), held);
    }
  }
}

}  // namespace kavro
