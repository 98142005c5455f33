#pragma once
// The control-surface window: the engineer picks an output, an x input and perhaps a y input,
// holds the other inputs at their present values or at typed ones, and gets the output's
// defuzzified value over the inputs' ranges, worked out by the engine on a copy of the running
// controller, as a colour map (or a curve for one input) with the operating point marked.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/ControlSurface.h"
#include "model/Colour.h"
#include "model/ControllerModel.h"
#include "model/MainGrid.h"

namespace kavro {

inline constexpr int kSurfaceMinPoints = 60;
inline constexpr int kSurfaceMaxPoints = 200;  // 40 000 cycles of the engine: well under a second

// A variable the window offers in its choice boxes.
struct SurfaceChoice {
  int slot = 0;
  std::string name;
  std::string present;  // the variable's present value, "####0.000"
};

// The named outputs and inputs, in slot order.
std::vector<SurfaceChoice> SurfaceOutputs(const ControllerModel& model);
std::vector<SurfaceChoice> SurfaceInputs(const ControllerModel& model);

// What the engineer chose.
struct SurfaceSetup {
  int output = 0;  // 1..NumOut
  int xInput = 0;  // 1..NumIn
  int yInput = 0;  // 0: a curve over the x input alone
  int points = kSurfaceMinPoints;
  // The typed value each input is held at; blank text holds it at its present value.
  std::array<std::string, NumIn + 1> held{};
};

// A typed held value: nothing for blank text (the present value), the number, or a refusal.
struct HeldValue {
  std::optional<float> value;
  std::string refusal;  // empty when the text is accepted
};
HeldValue ReadHeldValue(const std::string& inputName, const std::string& text);

// A place on the picture as fractions: x from the left edge, y from the bottom edge.
struct SurfacePoint {
  float x = 0;
  float y = 0;
};

// The window's title.
std::string SurfaceCaption(const ControllerModel& model);

struct SurfaceViewState {
  std::string refusal;  // why nothing was computed; empty when the surface below is valid
  std::string outputName, xName, yName;
  Surface surface;
  std::vector<Colour> cells;  // the colour of each value, laid out as surface.values
  float low = 0, high = 0;    // the values' range, the ends of the colour scale
  std::string lowLabel, highLabel;
  std::string xLowLabel, xHighLabel, yLowLabel, yHighLabel;  // the axes' ends
  // The operating point (the x and y inputs' present values) in grid coordinates: 0 at the
  // first axis point, points - 1 at the last; outside when a present value lies off its axis.
  float pointX = 0, pointY = 0;
  bool pointInside = false;
  int xInput = 0, yInput = 0;  // the inputs on the axes (0: none)
  std::vector<SurfacePoint> curve;  // one input alone: the values as a line (NaN left out)
  bool IsCurve() const { return surface.ys.empty(); }
};

// Works the surface out on a copy of the live model and rule rows (the live ones are only read).
// A blank choice, the same input on both axes or a held value that is not a number is refused
// with a message and nothing is computed.
SurfaceViewState ComputeSurfaceView(const ControllerModel& live, const MainGrid& liveGrid,
                                    const SurfaceSetup& setup);

// Puts the operating point where the axis inputs' present values are now, so that the mark
// follows the plant between computations (the surface itself is not computed again).
void FollowOperatingPoint(SurfaceViewState& view, const ControllerModel& live);

// The grid as the CSV file the window exports.
std::string SurfaceViewCsv(const SurfaceViewState& view);

}  // namespace kavro
