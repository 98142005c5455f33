// kavro-replay: tries a rule base against recorded plant data before it is switched on.
//   kavro-replay --workdir DIR --trace TRACE.csv [--out OUT.csv]
// Loads DIR/FLC.dat as the controller does and runs the real control cycle once per trace row,
// link off, as fast as it runs; one result row per cycle goes to OUT.csv (standard output by
// default). Exit status 0 done (cycle errors are printed and the replay goes on), 1 a bad trace,
// 2 usage or a missing file or folder.
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "common/ports/FileSystem.h"
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
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string& initial) override {
    return initial;
  }
};

struct Arguments {
  std::string workDir;
  std::string trace;
  std::optional<std::string> out;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments arguments;
  for (int k = 1; k < argc; ++k) {
    const std::string option = argv[k];
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

DateTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

int Missing(const std::string& what) {
  std::cerr << "kavro-replay: " << what << "\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const auto arguments = ParseArguments(argc, argv);
  if (!arguments) {
    std::cerr << "usage: kavro-replay --workdir DIR --trace TRACE.csv [--out OUT.csv]\n";
    return 2;
  }
  namespace fs = std::filesystem;
  std::error_code error;
  if (!fs::is_directory(arguments->workDir, error)) {
    return Missing("no folder " + arguments->workDir);
  }
  const std::string config = (fs::path(arguments->workDir) / "FLC.dat").string();
  if (!fs::is_regular_file(config, error)) return Missing("no configuration " + config);
  FileSystem& files = SystemFileSystem();
  std::string traceText;
  if (!fs::is_regular_file(arguments->trace, error) ||
      !files.ReadAll(arguments->trace, traceText)) {
    return Missing("cannot read the trace " + arguments->trace);
  }

  StderrOperator op;
  Controller controller;
  controller.ports.op = &op;
  LoadForReplay(controller, arguments->workDir);

  Trace trace;
  try {
    trace = ReadTrace(traceText, controller.model);
  } catch (const TraceError& bad) {
    std::cerr << "kavro-replay: " << arguments->trace << ": " << bad.what() << "\n";
    return 1;
  }

  if (!arguments->out) {
    RunReplay(controller, trace, LocalNow(), std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? 0 : 2;
  }
  // The result file appears whole or not at all.
  std::ostringstream results;
  RunReplay(controller, trace, LocalNow(), results, std::cerr);
  std::string why;
  if (!files.WriteAtomic(*arguments->out, results.str(), &why)) {
    return Missing("cannot write " + *arguments->out + ": " + why);
  }
  return 0;
}
