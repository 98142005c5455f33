// kavro-replay: tries a rule base against recorded plant data before it is switched on.
//   kavro-replay --workdir DIR --trace TRACE.csv [--out OUT.csv] [--no-scripts]
// Loads DIR/FLC.dat as the controller does and runs the real control cycle once per trace row,
// link off, as fast as it runs, with the folder's pre- and post-process scripts (FLC_Pre.scp,
// FLC_Post.scp) ON or OFF as their files say; --no-scripts leaves them out; one result row per
// cycle goes to OUT.csv (standard output by default). The trace streams: one row read, one cycle,
// one row written, so memory stays the same whatever its length. Cycle errors go to standard error
// as they come, the replay goes on, and a summary line ends it there. Exit status: 0 every cycle
// ran clean, 1 FLC.dat failed to read or the trace is bad (nothing replayed), 2 usage, a missing
// file or folder, or the results could not be written, 3 the replay ran but at least one cycle
// reported an error.
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "common/LocalNow.h"
#include "common/ProgramVersion.h"
#include "common/SafeText.h"
#include "common/ports/Operator.h"
#include "session/Replay.h"
#include "session/TraceFile.h"

namespace {

using namespace kavro;

// What the controller would show in a message box is printed on standard error.
class StderrOperator : public Operator {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon,
                       MsgButtons buttons) override {
    std::cerr << "[" << title << "] ";
    for (const char c : text) {
      if (c != '\r') std::cerr << c;
    }
    std::cerr << "\n";
    return AsksYesOrNo(buttons) ? MsgAnswer::Yes : MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string& initial) override {
    return initial;
  }
};

constexpr const char* kUsage =
    "usage: kavro-replay --workdir DIR --trace TRACE.csv [--out OUT.csv] [--no-scripts]\n"
    "  Runs the working folder's pre- and post-process scripts in each cycle as the controller\n"
    "  would, unless --no-scripts.\n"
    "  Runs the control cycle of DIR/FLC.dat once per row of TRACE.csv, link off, and\n"
    "  writes one result row per cycle to OUT.csv (default: standard output).\n"
    "Exit status: 0 clean, 1 bad FLC.dat or trace, 2 usage or missing file, 3 cycle\n"
    "  errors.\n";

struct Arguments {
  std::string workDir;
  std::string trace;
  std::optional<std::string> out;
  bool withScripts = true;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments arguments;
  for (int k = 1; k < argc; ++k) {
    const std::string option = argv[k];
    if (option == "--no-scripts") {
      arguments.withScripts = false;
      continue;
    }
    if (k + 1 >= argc) return std::nullopt;
    const std::string value = argv[++k];
    if (option == "--workdir") {
      arguments.workDir = value;
    } else if (option == "--trace") {
      arguments.trace = value;
    } else if (option == "--out") {
      arguments.out = value;
    } else {
      return std::nullopt;
    }
  }
  if (arguments.workDir.empty() || arguments.trace.empty()) return std::nullopt;
  return arguments;
}

int Missing(const std::string& what) {
  std::cerr << "kavro-replay: " << SafeText(what, 4 * kSafeTextLimit) << "\n";
  return 2;
}

// The trace is checked whole before the first cycle runs, so a bad row late in a long file
// stops the replay before it has produced anything.
bool TraceIsGood(std::istream& in, const ControllerModel& model, const std::string& name) {
  try {
    TraceReader check(in, model);
    while (check.CheckNext()) {
    }
    return true;
  } catch (const TraceError& bad) {
    std::cerr << BadInputLine("kavro-replay", name, 0, bad.what()) << "\n";
    return false;
  }
}

int Finish(const ReplaySummary& summary) {
  std::cerr << "kavro-replay: " << summary.cycles << " cycles run, " << summary.failedCycles
            << " reported an error\n";
  return summary.failedCycles > 0 ? 3 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int status = AnswerVersionOrHelp(argc, argv, "kavro-replay", kUsage); status >= 0) {
    return status;
  }
  std::ios::sync_with_stdio(false);
  const auto arguments = ParseArguments(argc, argv);
  if (!arguments) {
    std::cerr << kUsage;
    return 2;
  }
  namespace fs = std::filesystem;
  std::error_code error;
  if (!fs::is_directory(arguments->workDir, error)) {
    return Missing("no folder " + arguments->workDir);
  }
  const std::string config = (fs::path(arguments->workDir) / "FLC.dat").string();
  if (!fs::is_regular_file(config, error)) return Missing("no configuration " + config);
  std::ifstream traceFile;
  if (fs::is_regular_file(arguments->trace, error)) {
    traceFile.open(arguments->trace, std::ios::binary);
  }
  if (!traceFile.is_open()) return Missing("cannot read the trace " + arguments->trace);

  StderrOperator op;
  Controller controller;
  controller.ports.op = &op;
  if (!LoadForReplay(controller, arguments->workDir)) {
    std::cerr << "kavro-replay: " << config << " could not be read; nothing replayed\n";
    return 1;
  }
  if (!TraceIsGood(traceFile, controller.model, arguments->trace)) return 1;
  traceFile.clear();
  traceFile.seekg(0);
  TraceReader trace(traceFile, controller.model);

  if (!arguments->out) {
    const ReplaySummary summary =
        RunReplay(controller, trace, LocalNow(), std::cout, std::cerr, arguments->withScripts);
    std::cout.flush();
    if (!std::cout) return Missing("cannot write the results");
    return Finish(summary);
  }
  // The result file appears whole or not at all: written beside it, then renamed over it.
  const std::string out = *arguments->out;
  const std::string part = out + ".part" + std::to_string(getpid());
  std::ofstream results(part, std::ios::binary | std::ios::trunc);
  if (!results) return Missing("cannot write " + out);
  const ReplaySummary summary =
      RunReplay(controller, trace, LocalNow(), results, std::cerr, arguments->withScripts);
  results.close();
  if (!results || std::rename(part.c_str(), out.c_str()) != 0) {
    std::remove(part.c_str());
    return Missing("cannot write " + out);
  }
  return Finish(summary);
}
