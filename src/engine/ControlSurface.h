#pragma once
// The control surface: one output's defuzzified value over the ranges of one or two inputs,
// the other inputs held, worked out by the real engine on a copy of the model.
#include <optional>
#include <string>
#include <vector>

#include "engine/EngineOnCopy.h"
#include "model/ZoneRange.h"

namespace kavro {

struct SurfaceRequest {
  int output = 1;   // 1..NumOut
  int xInput = 1;   // 1..NumIn
  int yInput = 0;   // 0: a curve over xInput alone
  int points = 60;  // grid points along each axis, at least 2
  // Values the other inputs are held at; an input left empty keeps its present value.
  std::array<std::optional<float>, NumIn + 1> held{};
};

struct Surface {
  std::vector<float> xs;      // ascending, from the x input's range
  std::vector<float> ys;      // empty for a curve
  std::vector<float> values;  // values[iy * xs.size() + ix]; a curve has xs.size() values
};

// Points evenly spaced from range.low to range.high, both ends included (points >= 2).
std::vector<float> AxisPoints(ZoneSpan range, int points);

// The surface for request on engine's copy; the inputs not on an axis are held.
Surface ComputeSurface(EngineOnCopy& engine, const SurfaceRequest& request);

// The surface as CSV: a header naming the axes and the output, then one line per point
// ("x,value" for a curve, "x,y,value" for a surface), numbers in their shortest general
// form (up to seven significant digits, "." whatever the locale).
std::string SurfaceCsv(const Surface& surface, const std::string& xName, const std::string& yName,
                       const std::string& outputName);

}  // namespace kavro
