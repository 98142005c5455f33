#include "engine/ControlSurface.h"

#include "common/CsvText.h"
#include "common/NumberText.h"

namespace kavro {

std::vector<float> AxisPoints(ZoneSpan range, int points) {
  std::vector<float> axis;
  if (points < 2) points = 2;
  axis.reserve(static_cast<size_t>(points));
  const double step = (static_cast<double>(range.high) - range.low) / (points - 1);
  for (int k = 0; k < points; ++k) axis.push_back(static_cast<float>(range.low + step * k));
  axis.back() = range.high;  // the last point is the range's end, not a rounding short of it
  return axis;
}

Surface ComputeSurface(EngineOnCopy& engine, const SurfaceRequest& request) {
  const ControllerModel& model = engine.Model();
  InputValues inputs = engine.PresentInputs();
  for (int i = 1; i <= NumIn; ++i) {
    if (request.held[i]) inputs[i] = *request.held[i];
  }
  Surface surface;
  surface.xs = AxisPoints(ZoneRange(model.PVarIn[request.xInput].Zone), request.points);
  if (request.yInput != 0) {
    surface.ys = AxisPoints(ZoneRange(model.PVarIn[request.yInput].Zone), request.points);
  }
  const size_t rows = surface.ys.empty() ? 1 : surface.ys.size();
  surface.values.reserve(rows * surface.xs.size());
  for (size_t iy = 0; iy < rows; ++iy) {
    if (request.yInput != 0) inputs[request.yInput] = surface.ys[iy];
    for (const float x : surface.xs) {
      inputs[request.xInput] = x;
      surface.values.push_back(engine.Outputs(inputs)[request.output]);
    }
  }
  return surface;
}

std::string SurfaceCsv(const Surface& surface, const std::string& xName, const std::string& yName,
                       const std::string& outputName) {
  const auto number = [](float value) { return GeneralNumber(value); };
  std::string csv = CsvField(xName);
  if (!surface.ys.empty()) AppendCsvField(csv, yName);
  AppendCsvField(csv, outputName);
  csv += "\n";
  const size_t rows = surface.ys.empty() ? 1 : surface.ys.size();
  for (size_t iy = 0; iy < rows; ++iy) {
    for (size_t ix = 0; ix < surface.xs.size(); ++ix) {
      csv += number(surface.xs[ix]);
      if (!surface.ys.empty()) csv.append(",").append(number(surface.ys[iy]));
      csv.append(",").append(number(surface.values[iy * surface.xs.size() + ix])).append("\n");
    }
  }
  return csv;
}

}  // namespace kavro
