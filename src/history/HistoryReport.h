#pragma once
// The figures of a shift report over a span of the plant history. Each cycle stands for the time
// until the next one, at most two run periods (a longer gap is time the controller did not run
// and counts nowhere); the last cycle stands for one run period.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "history/HistoryReader.h"

namespace kavro {

struct InputFigures {
  std::string name;
  double inTargetsShare = 0;  // low target <= value <= high target
};

struct OutputFigures {
  std::string name;
  double atLimitsShare = 0;   // value at or beyond its high or low limit
  double movesPerHour = 0;    // cycles that sent the output a value
  double clampedSeconds = 0;  // increases or decreases blocked
  double clampedShare = 0;
};

struct FaultFigures {
  long spells = 0;  // runs of consecutive cycles
  long cycles = 0;
};

struct HistoryReport {
  std::int64_t from = 0;
  std::int64_t to = 0;
  std::string controllerName;
  long cycles = 0;
  double seconds = 0;  // the time the cycles stand for
  // Link on, To DCS mode, no link error (codes 1, 2), no cycle error.
  double serviceFactor = 0;
  std::vector<InputFigures> inputs;
  std::vector<OutputFigures> outputs;
  std::map<std::string, FaultFigures> cycleErrors;  // "step 4, error 13"
  std::map<std::string, FaultFigures> linkFaults;   // "read error (code 1)"
};

HistoryReport MakeHistoryReport(HistoryReader& reader, std::int64_t from, std::int64_t to);
std::string HistoryReportText(const HistoryReport& report);
std::string HistoryReportJson(const HistoryReport& report);

}  // namespace kavro
