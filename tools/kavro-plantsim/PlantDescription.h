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
//   disturbance INPUTTAG AMPLITUDE PERIOD    a slow sine wave on the input
//   noise INPUTTAG STDDEV                    measurement noise on the input
//   value TAG NUMBER                         a fixed tag: limits, move limits, times
//   seed NUMBER                              the noise generator's seed (default 1)
#include <cstdint>
#include <string>
#include <vector>

namespace kavro::plantsim {

struct PlantInput {
  std::string tag;
  double start = 0;
  double disturbanceAmplitude = 0;
  double disturbancePeriod = 0;  // seconds; 0 = none
  double noise = 0;              // standard deviation
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
};

// Reads plant.txt text. A statement it does not understand throws std::runtime_error naming
// the line ("plant.txt line 7: ...").
PlantDescription ParsePlantDescription(const std::string& text);

}  // namespace kavro::plantsim
