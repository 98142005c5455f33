#include "display/TrendPlot.h"

#include <algorithm>
#include <cmath>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "display/PenColours.h"
#include "engine/EventNotes.h"

namespace kavro {

namespace {

// The plot's geometry: the drawing width W is 99 % of the picture's width; samples start 3 % of
// W in and step 95 % of W over 201 places; the band of a scale runs from 94 % of the height (its
// bottom) up 92 % of it, so the top of the scale lies at 2 %.
constexpr double kWidthUsed = 0.99;
constexpr double kLeft = 0.03;
constexpr double kStep = 0.95 / 201;
constexpr double kBottom = 0.94;
constexpr double kBandHeight = 0.92;
// A trace whose range is below this is drawn in the middle of a band of width 1.
constexpr double kFlatRange = 0.05;
// Points far outside the band (a fixed scale the trace has left) are clipped by the window; they
// are held this far out so that no painter is handed an unbounded coordinate.
constexpr double kFarOut = 1000;

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

// The top (largest sample from -1000000 up) or bottom (smallest from 1000000 down) of a
// variable's scale, or its fixed setting.
ScaleEnd EndOfScale(Controller& c, const TrendVariable& v, int samples, int index, bool top) {
  const std::string& setting = top ? *v.plotHi : *v.plotLo;
  TrendPicture& picture = c.window.Picture2;
  std::string& noted =
      (top ? picture.badHiNoted : picture.badLoNoted)[static_cast<std::size_t>(index)];
  bool unreadable = false;
  const auto fixed = FixedSetting(setting, unreadable);
  NoteUnreadable(c, TrimRight(*v.name), top ? "PlotHi" : "PlotLo", setting, unreadable, noted);
  if (fixed) return {*fixed, false};
  double end = top ? -1000000 : 1000000;
  for (int j = 1; j <= samples; ++j) {
    const double value = (*v.history)[static_cast<std::size_t>(j)];
    end = top ? std::max(end, value) : std::min(end, value);
  }
  return {end, true};
}

std::string ScaleCaption(const ScaleEnd& end) {
  const std::string number = FormatNumber(end.value, kScaleFormat);
  return end.automatic ? "A: " + number : number;
}

double TrendY(double value, double lo, double range) {
  const double y = kBottom - (value - lo) * kBandHeight / range;
  if (std::isnan(y)) return kBottom;  // a sample that is not a number sits on the bottom line
  return std::clamp(y, -kFarOut, kFarOut);
}

void DrawVariable(Controller& c, int index, int samples) {
  const TrendVariable v = TrendVariableAt(c.model, index);
  ScaleEnd hi = EndOfScale(c, v, samples, index, true);
  ScaleEnd lo = EndOfScale(c, v, samples, index, false);
  double range = hi.value - lo.value;
  if (range < kFlatRange) {
    hi.value += (1 - range) / 2;
    lo.value -= (1 - range) / 2;
    range = 1;
  }
  const auto slot = static_cast<std::size_t>(index);
  c.window.lblScaleHi[slot].caption = ScaleCaption(hi);
  c.window.lblScaleLo[slot].caption = ScaleCaption(lo);

  TrendPicture& picture = c.window.Picture2;
  TrendTrace trace;
  trace.index = index;
  trace.name = TrimRight(*v.name);
  trace.pen = PenColor(v.pen);
  trace.shown = !picture.penHidden[slot];
  trace.hi = hi.value;
  trace.lo = lo.value;
  trace.values.reserve(static_cast<std::size_t>(samples));
  trace.points.reserve(static_cast<std::size_t>(samples));
  for (int j = 1; j <= samples; ++j) {
    const float value = (*v.history)[static_cast<std::size_t>(j)];
    trace.values.push_back(value);
    trace.points.push_back({TrendX(j), TrendY(value, lo.value, range)});
  }
  picture.traces.push_back(std::move(trace));
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

std::string PlotTimeText(int16_t runFrequency) {
  return "Max " + FormatNumber(HistoryLength, "#000") + " Points; " +
         FormatNumber(runFrequency * static_cast<double>(HistoryLength) / 60, "##00") + " mins";
}

void ShowTrendCaptions(Controller& c) {
  for (int index = 0; index < kTrendVariables; ++index) {
    const TrendVariable v = TrendVariableAt(c.model, index);
    const auto slot = static_cast<std::size_t>(index);
    if (*v.plotHi == kAuto) c.window.lblScaleHi[slot].caption = "A:";
    if (*v.plotLo == kAuto) c.window.lblScaleLo[slot].caption = "A:";
    ShowPenState(c, index);
  }
  c.window.lblPlotTime.caption = PlotTimeText(c.model.FLCBlock.RunFrequency);
}

void ShowPenState(Controller& c, int index) {
  const TrendVariable v = TrendVariableAt(c.model, index);
  const auto slot = static_cast<std::size_t>(index);
  const bool hidden = c.window.Picture2.penHidden[slot];
  const Colour colour = hidden ? kHiddenPenLabel : PenColor(v.pen);
  c.window.lblScaleHi[slot].foreColour = c.window.lblScaleLo[slot].foreColour = colour;
  for (TrendTrace& trace : c.window.Picture2.traces) {
    if (trace.index == index) trace.shown = !hidden;
  }
}

void RefreshTrend(Controller& c) {
  TrendPicture& picture = c.window.Picture2;
  picture.traces.clear();
  picture.times.clear();
  const int samples = std::min<int>(c.model.HistCount, HistoryLength);
  if (samples < kLeastSamples) return;
  picture.times.assign(c.model.HistoryTime.begin() + 1, c.model.HistoryTime.begin() + 1 + samples);
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(c.model.PVarIn[static_cast<std::size_t>(i)]))
      DrawVariable(c, TrendIndexOfInput(i), samples);
  }
  for (int k = 1; k <= NumOut; ++k) {
    if (IsUsed(c.model.PVarOut[static_cast<std::size_t>(k)])) {
      DrawVariable(c, TrendIndexOfOutput(k), samples);
    }
  }
  c.window.lblPlotTime.caption = PlotTimeText(c.model.FLCBlock.RunFrequency);
}

double TrendX(int sample) {
  return kWidthUsed * (kLeft + (sample - 1) * kStep);
}

std::optional<TrendCursor> TrendCursorAt(const TrendPicture& picture, double x) {
  const int samples = static_cast<int>(picture.times.size());
  if (samples == 0 || !std::isfinite(x)) return std::nullopt;
  const double place = std::round((x / kWidthUsed - kLeft) / kStep);
  const int sample = static_cast<int>(std::clamp(place, 0.0, samples - 1.0)) + 1;
  TrendCursor cursor;
  cursor.sample = sample;
  cursor.x = TrendX(sample);
  const auto at = static_cast<std::size_t>(sample - 1);
  cursor.lines.push_back({FormatDateTime(picture.times[at], "hh:mm:ss"), kBlack});
  for (const TrendTrace& trace : picture.traces) {
    if (!trace.shown || at >= trace.values.size()) continue;
    cursor.lines.push_back(
        {trace.name + ": " + FormatNumber(trace.values[at], kScaleFormat), trace.pen});
  }
  return cursor;
}

}  // namespace kavro
