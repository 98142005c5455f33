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
// with at most a few stretches waiting, so memory stays the same whatever its length. The whole
// trace is checked on a fourth thread meanwhile: nothing shows (results, cycle errors) before the
// check has passed, a bad row anywhere leaves nothing but its message, and the cycles stop as soon
// as the check meets it. Cycle errors go to standard error as they come, the replay goes on, and a
// summary line ends it there. Exit status: 0 every cycle ran clean, 1 FLC.dat failed to read or
// the trace is bad (nothing replayed), 2 usage, a missing file or folder, or the results could not
// be written, 3 the replay ran but at least one cycle reported an error.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "common/HeldOutput.h"
#include "common/LocalNow.h"
#include "common/ProgramVersion.h"
#include "common/SafeText.h"
#include "common/StoppableReadBuf.h"
#include "common/TextReadBuf.h"
#include "common/Verdict.h"
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

// What the controller would show in a message box is printed on standard error (through out,
// which holds it back while the trace is being checked).
class StderrOperator : public Operator {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon,
                       MsgButtons buttons) override {
    *out << "[" << title << "] ";
    for (const char c : text) {
      if (c != '\r') *out << c;
    }
    *out << "\n";
    return AsksYesOrNo(buttons) ? MsgAnswer::Yes : MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string& initial) override {
    return initial;
  }
  std::ostream* out = &std::cerr;
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

std::string BadTraceLine(const std::string& name, const TraceError& bad) {
  std::string line = BadInputLine("kavro-replay", name, 0, bad.what());
  return line.append("\n");
}

// The whole trace checked on a thread of its own while the cycles run. Its verdict is what the
// replay's output waits for, so a bad row late in a long file still stops the replay before it
// has shown anything.
class TraceCheck {
 public:
  // reader has read the header; name is how the message calls the trace; verdict (which must
  // outlive the check) is given when the check ends.
  TraceCheck(TraceReader& reader, std::string name, Verdict& verdict)
      : name_(std::move(name)), verdict_(verdict), thread_([this, &reader] { Check(reader); }) {}
  const Verdict& verdict() const { return verdict_; }
  // Waits for the check; true when the trace is good.
  bool Good() const { return verdict_.Wait() && !cyclesFailed_; }
  // The message of a trace that is not good, and the exit status it gives.
  int Refuse() const {
    std::cerr << fault_;
    return 1;
  }
  // The cycles' own reading of the trace failed. The check meets the same row first, so this
  // only keeps the message should the two ever disagree.
  void CyclesFailed(const TraceError& bad) {
    if (verdict_.Wait()) {
      fault_ = BadTraceLine(name_, bad);
      cyclesFailed_ = true;
    }
  }

 private:
  void Check(TraceReader& reader) {
    try {
      while (reader.CheckNext()) {
      }
      verdict_.Give(true);
    } catch (const TraceError& bad) {
      fault_ = BadTraceLine(name_, bad);  // written before the verdict, read after it
      verdict_.Give(false);
    } catch (const std::exception& failure) {
      // Any other failure (memory, the stream) refuses the trace too, rather than ending the
      // program from a thread or leaving the output waiting for ever.
      std::string what = "cannot check ";
      what.append(name_).append(": ").append(failure.what());
      fault_ = "kavro-replay: ";
      fault_.append(SafeText(what, 4 * kSafeTextLimit)).append("\n");
      verdict_.Give(false);
    }
  }
  std::string name_;
  std::string fault_;
  bool cyclesFailed_ = false;
  Verdict& verdict_;
  std::jthread thread_;  // last: joined before the rest goes
};

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
  // The trace is read twice side by side: by the check and by the cycles.
  std::ifstream traceFile, checkFile;
  std::string historyText;
  TextReadBuf historyRead, historyCheckRead;
  std::istream historyTrace(&historyRead), historyCheck(&historyCheckRead);
  std::istream* traceIn = &traceFile;
  std::istream* checkIn = &checkFile;
  if (arguments->history) {
    traceIn = &historyTrace;
    checkIn = &historyCheck;
  } else {
    if (fs::is_regular_file(arguments->trace, error)) {
      traceFile.open(arguments->trace, std::ios::binary);
      checkFile.open(arguments->trace, std::ios::binary);
    }
    if (!traceFile.is_open() || !checkFile.is_open()) {
      return Missing("cannot read the trace " + arguments->trace);
    }
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
    auto text = HistoryTrace(*arguments, controller.model, start);
    if (!text) return 2;
    historyText = std::move(*text);
    historyRead.Show(historyText);
    historyCheckRead.Show(historyText);
  }
  const std::string traceName =
      arguments->history ? "the history of " + *arguments->history : arguments->trace;
  // The cycles stop reading once the check has refused the trace: nothing they make would show,
  // and a bad row late in a long trace is then refused as soon as the check meets it.
  Verdict checked;
  StoppableReadBuf cyclesRead(*traceIn->rdbuf(), [&checked] { return checked.Refused(); });
  std::istream cyclesIn(&cyclesRead);
  std::optional<TraceReader> checkReader, trace;
  try {
    checkReader.emplace(*checkIn, controller.model);
    trace.emplace(cyclesIn, controller.model);
  } catch (const TraceError& bad) {
    std::cerr << BadTraceLine(traceName, bad);
    return 1;
  }

  // From here on, what the replay shows waits for the check.
  TraceCheck check(*checkReader, traceName, checked);
  HeldOutput heldErrors(std::cerr, check.verdict());
  std::ostream errors(&heldErrors);
  errors.setf(std::ios::unitbuf);
  op.out = &errors;
  // The replay into results; nothing when the trace is bad.
  const auto replay = [&](std::ostream& results) -> std::optional<ReplaySummary> {
    std::optional<ReplaySummary> summary;
    try {
      summary = RunReplay(controller, *trace, start, results, errors, arguments->withScripts);
    } catch (const TraceError& bad) {
      check.CyclesFailed(bad);
    }
    if (!check.Good()) return std::nullopt;
    return summary;
  };

  if (!arguments->out) {
    // The results are written to standard output on a thread of their own while the cycles
    // report their errors on standard error: an error line must not flush the results' stream
    // from the cycles' thread, as a standard error tied to standard output would.
    std::cerr.tie(nullptr);
    HeldOutput heldResults(std::cout, check.verdict());
    std::ostream results(&heldResults);
    const auto summary = replay(results);
    if (!summary) return check.Refuse();
    results.flush();
    if (!results || !std::cout) return Missing("cannot write the results");
    return Finish(*summary);
  }
  // The file appears whole when the replay is done, and not at all when the trace is bad.
  std::optional<ReplaySummary> summary;
  const bool written = WriteWholeFileStream(*arguments->out, [&](std::ostream& results) {
    summary = replay(results);
    if (!summary) results.setstate(std::ios::badbit);
  });
  if (!check.Good()) return check.Refuse();
  if (!written) return Missing("cannot write " + *arguments->out);
  return Finish(*summary);
}
