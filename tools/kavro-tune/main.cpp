// kavro-tune: the commissioning workbench, off-line on the plant model.
//   kavro-tune score --workdir DIR [--plant FILE] [--hours H] [--seed N] [--json]
//   kavro-tune baseline --workdir DIR [--plant FILE] [--hours H] [--seed N]
//                       [--pair INPUTTAG=OUTPUTTAG]... [--filter SECONDS] [--hold] [--json]
// score runs DIR/FLC.dat (and its scripts) in closed loop with the plant file (default
// DIR/plant.txt) and prints its score; baseline runs PI loops in place of the rules through the
// same cycle (or, with --hold, no control at all) and scores them alike. Nothing is written.
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

namespace {

using namespace kavro;

constexpr const char* kUsage =
    "usage: kavro-tune score --workdir DIR [--plant FILE] [--hours H] [--seed N] [--json]\n"
    "       kavro-tune baseline --workdir DIR [--plant FILE] [--hours H] [--seed N]\n"
    "                  [--pair INPUTTAG=OUTPUTTAG]... [--filter SECONDS] [--hold] [--json]\n"
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
    "  --seed N  the noise generator's seed instead of the plant file's\n"
    "  --json    the score as one JSON object\n"
    "Exit status: 0 done, 2 usage or bad input (a missing or bad plant file or FLC.dat,\n"
    "  a plant tag the configuration does not have, an output no response reaches, no\n"
    "  rule in use): one line on stderr, nothing written.\n";

struct Arguments {
  std::string command;
  std::string workDir;
  std::string plant;
  double hours = 24;
  std::optional<double> seed;
  bool json = false;
  bool hold = false;
  BaselineOptions baseline;
};

bool ReadNumber(const std::string& text, double low, double high, double& into) {
  if (!IsNumeric(text)) return false;
  into = ToNumber(text);
  return into >= low && into <= high;
}

bool ReadOption(Arguments& arguments, const std::string& option, const std::string& value) {
  double number = 0;
  const bool baseline = arguments.command == "baseline";
  if (option == "--workdir") {
    arguments.workDir = value;
  } else if (option == "--plant") {
    arguments.plant = value;
  } else if (option == "--hours" && ReadNumber(value, 0.01, 24 * 365, number)) {
    arguments.hours = number;
  } else if (option == "--seed" && ReadNumber(value, 0, 4294967295.0, number)) {
    arguments.seed = number;
  } else if (baseline && option == "--filter" && ReadNumber(value, 0, 1e6, number)) {
    arguments.baseline.filterSeconds = number;
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
  if (arguments.command != "score" && arguments.command != "baseline") return std::nullopt;
  for (int k = 2; k < argc; ++k) {
    const std::string option = argv[k];
    if (option == "--json") {
      arguments.json = true;
    } else if (option == "--hold" && arguments.command == "baseline") {
      arguments.hold = true;
    } else if (k + 1 >= argc || !ReadOption(arguments, option, argv[++k])) {
      return std::nullopt;
    }
  }
  if (arguments.workDir.empty()) return std::nullopt;
  if (arguments.plant.empty()) arguments.plant = arguments.workDir + "/plant.txt";
  return arguments;
}

int Run(const Arguments& arguments) {
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
