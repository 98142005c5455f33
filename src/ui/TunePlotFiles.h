#pragma once
// The tuning plots as PNG files, drawn with the window's own trend painter.
#include "tune/TuneRun.h"

namespace kavro {

// Writes inputs.png, outputs.png and objective.png into outDir; returns the names written.
std::vector<std::string> WritePlotFiles(const std::string& outDir, const TunePlots& plots);

}  // namespace kavro
