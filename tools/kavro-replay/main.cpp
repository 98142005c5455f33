// kavro-replay: tries a rule base against recorded plant data before it is switched on.
//   kavro-replay --workdir DIR --trace TRACE.csv [--out OUT.csv] [--no-scripts]
//   kavro-replay --history DIR [--workdir DIR2] [--from T] [--to T] [--out OUT.csv] [--no-scripts]
// With --history the trace is the plant history of DIR over [--from, --to]: the recorded
// process values and limits run through the configuration of DIR (or DIR2) as it is now.
// Loads DIR/FLC.dat as the controller does and runs the real control cycle once per trace row,
// link off, as fast as it runs, with the folder's pre- and post-process scripts (FLC_Pre.scp,
// FLC_Post.scp) ON or OFF as their files say; --no-scripts leaves them out; one result row per
// cycle goes to OUT.csv (standard output by default). The trace streams: rows are read a stretch
// ahead on one thread, the cycles run on another, the result rows are made and written on a third,
// with at most a few stretches waiting, so memory stays the same whatever its length. Cycle errors go to standard error
// as they come, the replay goes on, and a summary line ends it there. Exit status: 0 every cycle
// ran clean, 1 FLC.dat failed to read or the trace is bad (nothing replayed), 2 usage, a missing
// file or folder, or the results could not be written, 3 the replay ran but at least one cycle
// reported an error.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "common/LocalNow.h"
#include "common/ProgramVersion.h"
#include "common/SafeText.h"
#include "common/WholeFileStream.h"
#include "common/ports/Operator.h"
#include "history/HistoryReader.h"
#include "history/HistorySpanChoice.h"
#include "history/HistoryTime.h"
#include "session/HistoryTrace.h"
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
    "       kavro-replay --history DIR [--workdir DIR2] [--from T] [--to T] [--out OUT.csv]\n"
    "                    [--no-scripts]\n"
    "  --history replays the cycles DIR recorded (its kavro-history.sqlite) from --from to\n"
    "  --to through the configuration of DIR (or DIR2) as it is now; T is\n"
    "  \"YYYY-MM-DD HH:MM\", now, -30m, -8h or -7d (default: the whole history).\n"
    "  Runs the working folder's pre- and post-process scripts in each cycle as the controller\n"
    "  would, unless --no-scripts.\n"
    "  Runs the control cycle of DIR/FLC.dat once per row of TRACE.csv, link off, and\n"
    "  writes one result row per cycle to OUT.csv (default: standard output).\n"
    "Exit status: 0 clean, 1 bad FLC.dat or trace, 2 usage, missing file or history,\n"
    "  bad time, 3 cycle\n"
    "  errors.\n";

struct Arguments {
  std::string workDir;
  std::string trace;
  std::optional<std::string> history;
  std::optional<std::string> from;
  std::optional<std::string> to;
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
    } else if (option == "--history") {
      arguments.history = value;
    } else if (option == "--from") {
      arguments.from = value;
    } else if (option == "--to") {
      arguments.to = value;
    } else {
      return std::nullopt;
    }
  }
  if (arguments.history) {
    if (!arguments.trace.empty()) return std::nullopt;
    if (arguments.workDir.empty()) arguments.workDir = *arguments.history;
  } else if (arguments.workDir.empty() || arguments.trace.empty() || arguments.from ||
             arguments.to) {
    return std::nullopt;
  }
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

// The recorded cycles of the history folder as a trace; the first one's time starts the
// replay's clock. Nothing, with the line said, for bad input.
std::optional<std::string> HistoryTrace(const Arguments& arguments, const ControllerModel& model,
                                        DateTime& start) {
  const std::int64_t now = HistoryMs(LocalNow());
  if (const auto bad = ChooseHistorySpan(arguments.from, arguments.to, now, {});
      !bad.error.empty()) {
    Missing(bad.error);
    return std::nullopt;
  }
  try {
    HistoryReader reader(*arguments.history);
    const auto span = reader.Span();
    const HistorySpanChoice chosen = ChooseHistorySpan(arguments.from, arguments.to, now, span);
    if (!chosen.error.empty()) {
      Missing(chosen.error);
      return std::nullopt;
    }
    const std::int64_t from = chosen.from, to = chosen.to;
    long rows = 0;
    std::string text = HistoryTraceText(model, reader, from, to, &rows);
    if (rows == 0) {
      Missing("no cycles recorded from " + HistoryTimeText(from) + " to " + HistoryTimeText(to));
      return std::nullopt;
    }
    // The replay's clock starts with the span (the first cycle when --from is not given).
    start = DateTimeOfHistoryMs(span ? std::max(from, span->first) : from);
    return text;
  } catch (const HistoryReadError& failure) {
    Missing(failure.what());
    return std::nullopt;
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
  std::istringstream historyTrace;
  std::istream* traceIn = &traceFile;
  if (arguments->history) {
    traceIn = &historyTrace;
  } else {
    if (fs::is_regular_file(arguments->trace, error)) {
      traceFile.open(arguments->trace, std::ios::binary);
    }
    if (!traceFile.is_open()) return Missing("cannot read the trace " + arguments->trace);
  }

  StderrOperator op;
  Controller controller;
  controller.ports.op = &op;
  if (!LoadForReplay(controller, arguments->workDir)) {
    std::cerr << "kavro-replay: " << config << " could not be read; nothing replayed\n";
    return 1;
  }
  DateTime start = LocalNow();
  if (arguments->history) {
    const auto text = HistoryTrace(*arguments, controller.model, start);
    if (!text) return 2;
    historyTrace.str(*text);
  }
  const std::string traceName =
      arguments->history ? "the history of " + *arguments->history : arguments->trace;
  if (!TraceIsGood(*traceIn, controller.model, traceName)) return 1;
  traceIn->clear();
  traceIn->seekg(0);
  TraceReader trace(*traceIn, controller.model);

  if (!arguments->out) {
    // The results are written to standard output on a thread of their own while the cycles
    // report their errors on standard error: an error line must not flush the results' stream
    // from the cycles' thread, as a standard error tied to standard output would.
    std::cerr.tie(nullptr);
    const ReplaySummary summary =
        RunReplay(controller, trace, start, std::cout, std::cerr, arguments->withScripts);
    std::cout.flush();
    if (!std::cout) return Missing("cannot write the results");
    return Finish(summary);
  }
  ReplaySummary summary;
  const bool written = WriteWholeFileStream(*arguments->out, [&](std::ostream& results) {
    summary = RunReplay(controller, trace, start, results, std::cerr, arguments->withScripts);
  });
  if (!written) return Missing("cannot write " + *arguments->out);
  return Finish(summary);
}
