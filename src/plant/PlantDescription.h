#pragma once
// The plant a simulator run imitates, as described in plant.txt beside FLC.dat: one statement
// per line, blank-separated fields, "#" starts a comment, times in seconds of plant time.
//
//   input TAG START                          a process value, START when nothing acts on it
//   output PVTAG SPTAG START LOW HIGH         a final control element: its present value PVTAG
//                                            follows what is written to SPTAG, within LOW..HIGH
//   response INPUTTAG OUTPUTPVTAG GAIN TIMECONSTANT DEADTIME
//                                            first order plus dead time, from the output's
//                                            move away from its START to the input
//   disturbance INPUTTAG AMPLITUDE PERIOD    a slow sine wave on the input; several add up
//   step INPUTTAG AMPLITUDE TIME             a load step on the input from that plant time on;
//                                            several add up
//   ramp INPUTTAG RATE FROM TO               a drift of RATE units per hour between two plant
//                                            times; the input keeps what it drifted after TO
//   noise INPUTTAG STDDEV                    measurement noise on the input
//   value TAG NUMBER                         a fixed tag: limits, move limits, times
//   scale GAINFACTOR TIMEFACTOR              every response's gain, and its time constant and
//                                            dead time, multiplied (robustness runs)
//   seed NUMBER                              the noise generator's seed (default 1)
//
// A tag given twice by input, output, value or noise (or a second scale or seed) is refused:
// the second line would otherwise be silently ignored.
#include <cstdint>
#include <string>
#include <vector>

namespace kavro {

struct PlantSine {
  double amplitude = 0;
  double period = 0;  // seconds
};

struct PlantStep {
  double amplitude = 0;
  double time = 0;  // seconds of plant time
};

struct PlantRamp {
  double ratePerHour = 0;
  double from = 0;  // seconds
  double to = 0;
};

struct PlantInput {
  std::string tag;
  double start = 0;
  std::vector<PlantSine> disturbances;
  std::vector<PlantStep> steps;
  std::vector<PlantRamp> ramps;
  double noise = 0;  // standard deviation
};

struct PlantOutput {
  std::string pvTag;
  std::string spTag;
  double start = 0;
  double low = 0;
  double high = 0;
};

struct PlantResponse {
  std::size_t input = 0;   // index into inputs
  std::size_t output = 0;  // index into outputs
  double gain = 0;
  double timeConstant = 0;  // seconds; 0 = at once
  double deadTime = 0;      // seconds
};

struct PlantValue {
  std::string tag;
  double value = 0;
};

struct PlantDescription {
  std::vector<PlantInput> inputs;
  std::vector<PlantOutput> outputs;
  std::vector<PlantResponse> responses;
  std::vector<PlantValue> values;
  uint32_t seed = 1;
  double gainScale = 1;  // the scale statement
  double timeScale = 1;
};

// Reads plant.txt text. A statement it does not understand throws std::runtime_error naming
// the line ("plant.txt line 7: ...").
PlantDescription ParsePlantDescription(const std::string& text);

// A response as the plant runs it: gain, time constant and dead time with the scale applied.
PlantResponse ScaledResponse(const PlantDescription& plant, const PlantResponse& response);

}  // namespace kavro
