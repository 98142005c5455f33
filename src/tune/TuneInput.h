#pragma once
// What every kavro-tune command starts from, checked before anything runs: the working folder's
// configuration and the plant file, and that they describe the same plant. A problem is one
// TuneInputError line (see ClosedLoop.h).
#include <string>

#include "model/Controller.h"
#include "plant/PlantDescription.h"

namespace kavro {

// Reads and parses the plant file; an unreadable or bad file throws TuneInputError.
PlantDescription LoadPlantFile(const std::string& path);

// Loads WorkDir/FLC.dat into the controller as start-up would (nothing is written); a missing or
// unreadable file throws TuneInputError.
void LoadConfiguration(Controller& controller, const std::string& workDir);

// Throws TuneInputError for a plant tag the configuration does not have, and for an output in
// use that the plant does not have or that no response reaches.
void CheckPlantAgainstConfiguration(const ControllerModel& model, const PlantDescription& plant);

}  // namespace kavro
