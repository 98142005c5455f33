#pragma once
// What the simulator takes from the controller's FLC.dat beside the plant file: the run and
// link frequencies, and (for the OPC UA server) the DCS tags and which of them are integers.
#include <string>
#include <vector>

#include "ClientFiles.h"

namespace kavro::plantsim {

// The run and link frequencies as the controller has them configured in FLC.dat.
struct ControllerTiming {
  int runFrequency = 10;
  int linkFrequency = 5;
};

ControllerTiming ReadControllerTiming(const std::string& dir);

// The controller's tag lists in the link's order, and its four block tags (on/off, watchdog, run
// frequency, error code), which a DCS holds as 16-bit integers.
struct ControllerTags {
  TagLists lists;
  std::vector<std::string> integerTags;
};

ControllerTags ReadControllerTags(const std::string& dir);

}  // namespace kavro::plantsim
