#pragma once
// kavro-tune tune: searches the zone points of a working folder's configuration for the lowest
// objective averaged over the tuning scenarios, and writes the tuned folder with its report.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "tune/LoopTrace.h"

namespace kavro {

struct TuneOptions {
  std::string workDir;
  std::string outDir;
  std::string plantFile;  // default workDir/plant.txt
  double hours = 12;      // per scenario run: half a day, so the search gets twice the runs
  double budgetSeconds = 150;
};

// What the plots show: the first tuning scenario before and after tuning, and the best
// objective after each evaluation.
struct TunePlots {
  LoopTrace before;
  LoopTrace after;
  std::vector<double> bestSoFar;
};

// The files the plots were written to, by name in outDir, for the report to show.
using PlotWriter = std::function<std::vector<std::string>(const std::string& outDir,
                                                          const TunePlots& plots)>;

// Checks everything first (TuneInputError, nothing written): the plant, the configuration, an
// outDir that is neither the working folder nor a folder with anything in it. Then searches,
// showing progress on progress, and writes outDir: FLC.dat (the old file, zone points changed),
// the scripts, plant.txt, report.md and the plots writePlots draws (none without it).
void RunTune(const TuneOptions& options, std::ostream& progress, const PlotWriter& writePlots);

}  // namespace kavro
