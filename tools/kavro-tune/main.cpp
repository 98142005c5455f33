// kavro-tune: how well a configuration controls its plant, off-line on the plant model.
//   kavro-tune score --workdir DIR [--plant FILE] [--hours H] [--seed N] [--json]
// Runs DIR/FLC.dat (and its scripts) in closed loop with the plant file (default DIR/plant.txt)
// for H hours of plant time and prints its score. Nothing is written anywhere.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "common/NumberText.h"
#include "common/ProgramVersion.h"
#include "common/SafeText.h"
#include "tune/ClosedLoop.h"
#include "tune/Score.h"
#include "tune/ScoreReport.h"
#include "tune/TuneInput.h"

namespace {

using namespace kavro;

constexpr const char* kUsage =
    "usage: kavro-tune score --workdir DIR [--plant FILE] [--hours H] [--seed N] [--json]\n"
    "  Runs the controller of DIR/FLC.dat and its scripts in closed loop with the plant\n"
    "  file (default DIR/plant.txt) for H hours of plant time (default 24), from the\n"
    "  plant's start values, and prints its score: per input the time inside its\n"
    "  targets, the distance and longest spell outside them, the distance from their\n"
    "  middle and the spread; per output its moves, travel, time at its limits and the\n"
    "  cycles the move limits held it; the rules that never fired, the zones that never\n"
    "  passed 0.5, and the objective (lower is better). Nothing is written.\n"
    "  --seed N  the noise generator's seed instead of the plant file's\n"
    "  --json    the same as one JSON object\n"
    "Exit status: 0 scored, 2 usage or bad input (a missing or bad plant file or\n"
    "  FLC.dat, a plant tag the configuration does not have, an output no response\n"
    "  reaches, no rule in use): one line on stderr.\n";

struct Arguments {
  std::string command;
  std::string workDir;
  std::string plant;
  double hours = 24;
  std::optional<double> seed;
  bool json = false;
};

bool ReadNumber(const std::string& text, double low, double high, double& into) {
  if (!IsNumeric(text)) return false;
  into = ToNumber(text);
  return into >= low && into <= high;
}

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  Arguments arguments;
  arguments.command = argv[1];
  if (arguments.command != "score") return std::nullopt;
  for (int k = 2; k < argc; ++k) {
    const std::string option = argv[k];
    if (option == "--json") {
      arguments.json = true;
      continue;
    }
    if (k + 1 >= argc) return std::nullopt;
    const std::string value = argv[++k];
    double number = 0;
    if (option == "--workdir") {
      arguments.workDir = value;
    } else if (option == "--plant") {
      arguments.plant = value;
    } else if (option == "--hours" && ReadNumber(value, 0.01, 24 * 365, number)) {
      arguments.hours = number;
    } else if (option == "--seed" && ReadNumber(value, 0, 4294967295.0, number)) {
      arguments.seed = number;
    } else {
      return std::nullopt;
    }
  }
  if (arguments.workDir.empty()) return std::nullopt;
  if (arguments.plant.empty()) arguments.plant = arguments.workDir + "/plant.txt";
  return arguments;
}

int Score(const Arguments& arguments) {
  LoopSetup setup;
  setup.workDir = arguments.workDir;
  setup.plant = LoadPlantFile(arguments.plant);
  if (arguments.seed) setup.plant.seed = static_cast<uint32_t>(*arguments.seed);
  setup.hours = arguments.hours;
  Controller controller;
  LoadConfiguration(controller, arguments.workDir);
  CheckPlantAgainstConfiguration(controller.model, setup.plant);
  const LoopScore score = ScoreLoop(RunClosedLoop(setup));
  std::fputs(arguments.json ? ScoreJson(score).c_str() : ScoreText(score).c_str(), stdout);
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
    return Score(*arguments);
  } catch (const TuneInputError& bad) {
    std::cerr << "kavro-tune: " << bad.what() << "\n";
    return 2;
  }
}
