// kavro-tune: the commissioning workbench, off-line on the plant model.
//   kavro-tune score --workdir DIR [--plant FILE] [--hours H] [--seed N] [--json]
//   kavro-tune baseline --workdir DIR [--plant FILE] [--hours H] [--seed N]
//                       [--pair INPUTTAG=OUTPUTTAG]... [--filter SECONDS] [--hold] [--json]
//   kavro-tune tune --workdir DIR --out NEWDIR [--plant FILE] [--hours H] [--budget SECONDS]
// score runs DIR/FLC.dat (and its scripts) in closed loop with the plant file (default
// DIR/plant.txt) and prints its score; baseline runs PI loops in place of the rules through the
// same cycle (or, with --hold, no control at all) and scores them alike. Neither writes
// anything; tune searches the zone points and writes NEWDIR only.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "common/NumberText.h"
#include "common/ProgramVersion.h"
#include "common/SafeText.h"
#include "tune/Baseline.h"
#include "tune/ClosedLoop.h"
#include "tune/Score.h"
#include "tune/ScoreReport.h"
#include "tune/TuneInput.h"
#include "tune/TuneRun.h"
#ifdef KAVRO_TUNE_PLOTS
#include "ui/TunePlotFiles.h"
#endif

namespace {

using namespace kavro;

constexpr const char* kUsage =
    "usage: kavro-tune score --workdir DIR [--plant FILE] [--hours H] [--seed N] [--json]\n"
    "       kavro-tune baseline --workdir DIR [--plant FILE] [--hours H] [--seed N]\n"
    "                  [--pair INPUTTAG=OUTPUTTAG]... [--filter SECONDS] [--hold] [--json]\n"
    "       kavro-tune tune --workdir DIR --out NEWDIR [--plant FILE] [--hours H]\n"
    "                  [--budget SECONDS]\n"
    "  score     runs the controller of DIR/FLC.dat and its scripts in closed loop with\n"
    "            the plant file (default DIR/plant.txt) for H hours of plant time\n"
    "            (default 24) from the plant's start values and prints its score: per\n"
    "            input the time inside its targets, the distance and longest spell\n"
    "            outside them, the distance from their middle and the spread; per output\n"
    "            its moves, travel, time at its limits and the cycles the move limits\n"
    "            held it; the rules that never fired, the zones that never passed 0.5,\n"
    "            and the objective (lower is better). Nothing is written.\n"
    "  baseline  the same run with one SIMC-tuned PI loop per output in place of the\n"
    "            rules (same limits, move limits and scripts), paired with the input it\n"
    "            moves most unless --pair says; prints the PI settings, then the score.\n"
    "            --filter SECONDS sets the measurement filter (0: none); --hold holds\n"
    "            the outputs at their start values instead: no control.\n"
    "  tune      searches the zone points of the inputs and outputs in use (each zone's\n"
    "            points and the zones kept in order) for the lowest objective averaged\n"
    "            over four scenarios made from the plant (other seeds, gains and times\n"
    "            x0.8 and x1.25, disturbances and steps doubled), on both cores, for\n"
    "            --budget seconds (default 150), H hours a run (default 12), progress on\n"
    "            stderr; writes NEWDIR only:\n"
    "            FLC.dat (zone points changed), the scripts, plant.txt, report.md (tuned,\n"
    "            shipped, PI baseline and no control on the tuning scenarios and on three\n"
    "            it did not see) and PNG plots. NEWDIR must be empty or new.\n"
    "  --seed N  the noise generator's seed instead of the plant file's\n"
    "  --json    the score as one JSON object\n"
    "Exit status: 0 done, 2 usage or bad input (a missing or bad plant file or FLC.dat,\n"
    "  a plant tag the configuration does not have, an output no response reaches, no\n"
    "  rule in use, NEWDIR the working folder or not empty): one line on stderr,\n"
    "  nothing written.\n";

struct Arguments {
  std::string command;
  std::string workDir;
  std::string plant;
  double hours = 24;
  bool hoursGiven = false;
  std::optional<double> seed;
  bool json = false;
  bool hold = false;
  BaselineOptions baseline;
  std::string out;
  double budget = 150;
};

bool ReadNumber(const std::string& text, double low, double high, double& into) {
  if (!IsNumeric(text)) return false;
  into = ToNumber(text);
  return into >= low && into <= high;
}

bool ReadOption(Arguments& arguments, const std::string& option, const std::string& value) {
  double number = 0;
  const bool baseline = arguments.command == "baseline";
  const bool tune = arguments.command == "tune";
  if (option == "--workdir") {
    arguments.workDir = value;
  } else if (option == "--plant") {
    arguments.plant = value;
  } else if (option == "--hours" && ReadNumber(value, 0.01, 24 * 365, number)) {
    arguments.hours = number;
    arguments.hoursGiven = true;
  } else if (option == "--seed" && ReadNumber(value, 0, 4294967295.0, number)) {
    arguments.seed = number;
  } else if (baseline && option == "--filter" && ReadNumber(value, 0, 1e6, number)) {
    arguments.baseline.filterSeconds = number;
  } else if (tune && option == "--out") {
    arguments.out = value;
  } else if (tune && option == "--budget" && ReadNumber(value, 1, 86400, number)) {
    arguments.budget = number;
  } else if (baseline && option == "--pair" && value.find('=') != std::string::npos) {
    const auto equals = value.find('=');
    arguments.baseline.pairs.emplace_back(value.substr(0, equals), value.substr(equals + 1));
  } else {
    return false;
  }
  return true;
}

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  Arguments arguments;
  arguments.command = argv[1];
  if (arguments.command != "score" && arguments.command != "baseline" &&
      arguments.command != "tune") {
    return std::nullopt;
  }
  for (int k = 2; k < argc; ++k) {
    const std::string option = argv[k];
    if (option == "--json") {
      arguments.json = true;
    } else if (option == "--hold" && arguments.command == "baseline") {
      arguments.hold = true;
    } else if (option == "--seed" && arguments.command == "tune") {
      return std::nullopt;  // the tuner makes its own seeds
    } else if (k + 1 >= argc || !ReadOption(arguments, option, argv[++k])) {
      return std::nullopt;
    }
  }
  if (arguments.workDir.empty()) return std::nullopt;
  if (arguments.command == "tune" && (arguments.out.empty() || arguments.json)) return std::nullopt;
  if (arguments.plant.empty()) arguments.plant = arguments.workDir + "/plant.txt";
  return arguments;
}

int Tune(const Arguments& arguments) {
  TuneOptions options;
  options.workDir = arguments.workDir;
  options.outDir = arguments.out;
  options.plantFile = arguments.plant;
  if (arguments.hoursGiven) options.hours = arguments.hours;
  options.budgetSeconds = arguments.budget;
#ifdef KAVRO_TUNE_PLOTS
  RunTune(options, std::cerr, WritePlotFiles);
#else
  RunTune(options, std::cerr, nullptr);
  std::cerr << "kavro-tune: no plots: this build has no window, whose trend painter draws them\n";
#endif
  std::cerr << "kavro-tune: wrote " << SafeText(arguments.out) << "\n";
  return 0;
}

int Run(const Arguments& arguments) {
  if (arguments.command == "tune") return Tune(arguments);
  LoopSetup setup;
  setup.workDir = arguments.workDir;
  setup.plant = LoadPlantFile(arguments.plant);
  if (arguments.seed) setup.plant.seed = static_cast<uint32_t>(*arguments.seed);
  setup.hours = arguments.hours;
  Controller controller;
  LoadConfiguration(controller, arguments.workDir);
  CheckPlantAgainstConfiguration(controller.model, setup.plant);
  if (arguments.command == "score") {
    const LoopScore score = ScoreLoop(RunClosedLoop(setup));
    std::fputs(arguments.json ? ScoreJson(score).c_str() : ScoreText(score).c_str(), stdout);
    return 0;
  }
  std::vector<PiLoop> loops;
  if (arguments.hold) {
    setup.replaceOutputs = HoldOutputs();
  } else {
    loops = PlanBaseline(controller.model, setup.plant, arguments.baseline);
    setup.replaceOutputs = PiController(loops, controller.model.FLCBlock.RunFrequency);
  }
  LoopTrace trace = RunClosedLoop(setup);
  trace.rulesInUse.clear();  // the rules do not act: no coverage to report
  for (TracedInput& in : trace.inputs) in.zoneNames.clear(), in.zonePeak.clear();
  const LoopScore score = ScoreLoop(trace);
  if (arguments.json) {
    std::fputs(ScoreJson(score, loops).c_str(), stdout);
  } else {
    std::fputs(arguments.hold ? "No control: every output held at its start value\n"
                              : PiSettingsText(loops).c_str(),
               stdout);
    std::fputs(ScoreText(score).c_str(), stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int status = AnswerVersionOrHelp(argc, argv, "kavro-tune", kUsage); status >= 0) {
    return status;
  }
  const auto arguments = ParseArguments(argc, argv);
  if (!arguments) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    return Run(*arguments);
  } catch (const TuneInputError& bad) {
    std::cerr << "kavro-tune: " << bad.what() << "\n";
    return 2;
  }
}
