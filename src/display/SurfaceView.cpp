#include "display/SurfaceView.h"

#include <algorithm>
#include <cmath>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "display/ColourScale.h"
#include "engine/EngineOnCopy.h"

namespace kavro {

namespace {

std::string ValueText(float value) {
  return FormatNumber(value, "####0.000");
}

template <typename Variables>
std::vector<SurfaceChoice> Named(const Variables& variables, int count) {
  std::vector<SurfaceChoice> choices;
  for (int slot = 1; slot <= count; ++slot) {
    if (!IsUsed(variables[slot])) continue;
    choices.push_back({slot, TrimRight(variables[slot].PVarName), ValueText(variables[slot].PVIN)});
  }
  return choices;
}

// Where value lies along axis in grid coordinates (0 .. size - 1); nothing off the axis.
std::optional<float> GridCoordinate(const std::vector<float>& axis, float value) {
  if (axis.size() < 2) return std::nullopt;
  const double width = static_cast<double>(axis.back()) - axis.front();
  if (!(width > 0)) return std::nullopt;
  const double at = (value - static_cast<double>(axis.front())) / width;
  if (!(at >= 0 && at <= 1)) return std::nullopt;
  return static_cast<float>(at * static_cast<double>(axis.size() - 1));
}

// The setup as the engine's request, or the reason it cannot be one.
std::optional<std::string> Request(const ControllerModel& model, const SurfaceSetup& setup,
                                   SurfaceRequest& request) {
  const auto outOfRange = [](int slot, int count) { return slot < 1 || slot > count; };
  if (outOfRange(setup.output, NumOut) || !IsUsed(model.PVarOut[setup.output]) ||
      outOfRange(setup.xInput, NumIn) || !IsUsed(model.PVarIn[setup.xInput])) {
    return "Choose an output and an input for the x axis.";
  }
  if (setup.yInput != 0 &&
      (outOfRange(setup.yInput, NumIn) || !IsUsed(model.PVarIn[setup.yInput]))) {
    return "Choose an input for the y axis, or none.";
  }
  if (setup.yInput == setup.xInput) return "The x and y axes need two different inputs.";
  request.output = setup.output;
  request.xInput = setup.xInput;
  request.yInput = setup.yInput;
  request.points = std::clamp(setup.points, kSurfaceMinPoints, kSurfaceMaxPoints);
  for (int i = 1; i <= NumIn; ++i) {
    if (i == setup.xInput || i == setup.yInput) continue;
    const HeldValue held = ReadHeldValue(TrimRight(model.PVarIn[i].PVarName), setup.held[i]);
    if (!held.refusal.empty()) return held.refusal;
    request.held[i] = held.value;
  }
  return std::nullopt;
}

void ColourTheValues(SurfaceViewState& view) {
  bool any = false;
  for (const float value : view.surface.values) {
    if (!std::isfinite(value)) continue;
    view.low = any ? std::min(view.low, value) : value;
    view.high = any ? std::max(view.high, value) : value;
    any = true;
  }
  view.lowLabel = any ? ValueText(view.low) : "";
  view.highLabel = any ? ValueText(view.high) : "";
  view.cells.reserve(view.surface.values.size());
  for (const float value : view.surface.values) {
    view.cells.push_back(ScaleColour(value, view.low, view.high));
  }
}

void DrawCurve(SurfaceViewState& view) {
  const std::vector<float>& xs = view.surface.xs;
  const double width = static_cast<double>(view.high) - view.low;
  for (size_t ix = 0; ix < xs.size(); ++ix) {
    const float value = view.surface.values[ix];
    if (!std::isfinite(value)) continue;
    const double y = width > 0 ? (value - static_cast<double>(view.low)) / width : 0.5;
    view.curve.push_back(
        {static_cast<float>(static_cast<double>(ix) / (xs.size() - 1)), static_cast<float>(y)});
  }
}

}  // namespace

std::vector<SurfaceChoice> SurfaceOutputs(const ControllerModel& model) {
  return Named(model.PVarOut, NumOut);
}

std::vector<SurfaceChoice> SurfaceInputs(const ControllerModel& model) {
  return Named(model.PVarIn, NumIn);
}

std::string SurfaceCaption(const ControllerModel& model) {
  return "Control Surface - " + TrimRight(model.FLCBlock.Name1);
}

HeldValue ReadHeldValue(const std::string& inputName, const std::string& text) {
  HeldValue held;
  if (IsAllSpaces(text)) return held;
  const std::string what = "The held value of " + inputName;
  if (!IsNumeric(text)) {
    held.refusal = what + " is not a number: " + Trim(text);
    return held;
  }
  try {
    held.value = ToSingle(text);
  } catch (const KavroError&) {
    held.refusal = what + " is beyond the range of a process value: " + Trim(text);
  }
  return held;
}

SurfaceViewState ComputeSurfaceView(const ControllerModel& live, const MainGrid& liveGrid,
                                    const SurfaceSetup& setup) {
  SurfaceViewState view;
  SurfaceRequest request;
  if (const auto refusal = Request(live, setup, request)) {
    view.refusal = *refusal;
    return view;
  }
  view.outputName = TrimRight(live.PVarOut[request.output].PVarName);
  view.xName = TrimRight(live.PVarIn[request.xInput].PVarName);
  if (request.yInput != 0) view.yName = TrimRight(live.PVarIn[request.yInput].PVarName);

  EngineOnCopy engine(live, liveGrid);
  view.surface = ComputeSurface(engine, request);
  ColourTheValues(view);
  const Surface& s = view.surface;
  view.xLowLabel = ValueText(s.xs.front());
  view.xHighLabel = ValueText(s.xs.back());
  view.xInput = request.xInput;
  view.yInput = request.yInput;
  if (view.IsCurve()) {
    DrawCurve(view);
  } else {
    view.yLowLabel = ValueText(s.ys.front());
    view.yHighLabel = ValueText(s.ys.back());
  }
  FollowOperatingPoint(view, live);
  return view;
}

void FollowOperatingPoint(SurfaceViewState& view, const ControllerModel& live) {
  const Surface& s = view.surface;
  if (view.xInput == 0 || s.xs.empty()) return;
  const auto x = GridCoordinate(s.xs, live.PVarIn[view.xInput].PVIN);
  view.pointX = x.value_or(0);
  view.pointInside = x.has_value();
  if (view.IsCurve()) return;
  const auto y = GridCoordinate(s.ys, live.PVarIn[view.yInput].PVIN);
  view.pointY = y.value_or(0);
  view.pointInside = view.pointInside && y.has_value();
}

std::string SurfaceViewCsv(const SurfaceViewState& view) {
  return SurfaceCsv(view.surface, view.xName, view.yName, view.outputName);
}

}  // namespace kavro
