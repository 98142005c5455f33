#pragma once
// report.md of a tuning: the tuned configuration, the shipped one, the PI baseline and no
// control side by side, on the scenarios the tuner saw and on ones it did not.
#include <string>
#include <vector>

#include "model/ControllerModel.h"
#include "tune/Score.h"

namespace kavro {

struct ScenarioTable {
  std::vector<std::string> scenarios;
  std::vector<LoopScore> tuned, shipped, pi, none;  // one score per scenario
};

struct TuneReport {
  std::string name;
  double hours = 0;
  double budgetSeconds = 0;
  long evaluations = 0;
  std::string piSettings;
  std::string zoneChanges;
  ScenarioTable tuning;
  ScenarioTable unseen;
  std::vector<std::string> plots;  // file names in the report's folder
};

std::string TuneReportText(const TuneReport& report);

// "BZTEMP OK: 1390 1410 1430 1450 -> ..." for each zone whose points changed.
std::string ZoneChangesText(const ControllerModel& before, const ControllerModel& after);

}  // namespace kavro
