// kavro-history: what a working folder's plant history says, for a shift report or a
// spreadsheet, read beside the running controller without disturbing it.
//   kavro-history export --workdir DIR [--from T] [--to T] [--every SECONDS] [--out FILE]
//   kavro-history report --workdir DIR [--from T] [--to T] [--json]
// Bad input is one line on standard error and exit status 2.

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "common/LocalNow.h"
#include "common/ProgramVersion.h"
#include "common/SafeText.h"
#include "common/WholeFileStream.h"
#include "history/HistoryExport.h"
#include "history/HistoryReport.h"
#include "history/HistorySpanChoice.h"
#include "history/HistoryTime.h"

namespace {

using namespace kavro;

constexpr const char* kUsage =
    "usage: kavro-history export --workdir DIR [--from T] [--to T] [--every SECONDS]\n"
    "                            [--out FILE]\n"
    "       kavro-history report --workdir DIR [--from T] [--to T] [--json]\n"
    "  export  writes the plant history of DIR as CSV with a header: one row per cycle, or\n"
    "          with --every one row per interval of that many seconds, holding averages\n"
    "  report  prints the service factor, each input's time inside its targets, each\n"
    "          output's time at its limits, moves per hour and clamped time, and the\n"
    "          cycle errors and link faults by kind; --json prints them as JSON\n"
    "  T is \"YYYY-MM-DD HH:MM\", now, or a span back from now: -30m, -8h, -7d;\n"
    "  --from defaults to the first cycle recorded, --to to now (or the last cycle\n"
    "  recorded when the controller's clock is ahead).\n"
    "Exit status: 0 done, 1 the history could not be read or the output written,\n"
    "  2 usage, no history in DIR, a time that does not parse, or --from after --to.\n";

struct Arguments {
  std::string command;
  std::optional<std::string> workDir;
  std::optional<std::string> from;
  std::optional<std::string> to;
  std::optional<std::string> every;
  std::optional<std::string> out;
  bool json = false;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  Arguments arguments;
  arguments.command = argv[1];
  if (arguments.command != "export" && arguments.command != "report") return std::nullopt;
  const bool exporting = arguments.command == "export";
  // The options that take a value, for this command.
  std::map<std::string, std::optional<std::string>*> valued = {
      {"--workdir", &arguments.workDir}, {"--from", &arguments.from}, {"--to", &arguments.to}};
  if (exporting) {
    valued["--every"] = &arguments.every;
    valued["--out"] = &arguments.out;
  }
  for (int k = 2; k < argc; ++k) {
    const std::string option = argv[k];
    if (option == "--json" && !exporting) {
      arguments.json = true;
      continue;
    }
    const auto found = valued.find(option);
    if (found == valued.end() || k + 1 >= argc) return std::nullopt;
    *found->second = argv[++k];
  }
  if (!arguments.workDir || arguments.workDir->empty()) return std::nullopt;
  return arguments;
}

int Bad(const std::string& what) {
  std::cerr << "kavro-history: " << SafeText(what, 4 * kSafeTextLimit) << "\n";
  return 2;
}

int Run(const Arguments& arguments) {
  const std::int64_t now = HistoryMs(LocalNow());
  // Times are checked before the folder: a bad one is told whether or not there is a history.
  if (const auto bad = ChooseHistorySpan(arguments.from, arguments.to, now, {});
      !bad.error.empty()) {
    return Bad(bad.error);
  }
  int every = 0;
  if (arguments.every) {
    const std::string& text = *arguments.every;
    if (text.empty() || text.size() > 7 ||
        text.find_first_not_of("0123456789") != std::string::npos ||
        (every = std::stoi(text)) <= 0) {
      return Bad("--every: not a whole number of seconds: \"" + text + "\"");
    }
  }
  try {
    HistoryReader reader(*arguments.workDir);
    const HistorySpanChoice chosen =
        ChooseHistorySpan(arguments.from, arguments.to, now, reader.Span());
    if (!chosen.error.empty()) return Bad(chosen.error);
    const std::int64_t from = chosen.from, to = chosen.to;
    if (arguments.command == "report") {
      const HistoryReport report = MakeHistoryReport(reader, from, to);
      std::cout << (arguments.json ? HistoryReportJson(report) : HistoryReportText(report));
      return std::cout.flush() ? 0 : 1;
    }
    if (!arguments.out) {
      ExportHistoryCsv(reader, from, to, every, std::cout);
      return std::cout.flush() ? 0 : 1;
    }
    const bool written = WriteWholeFileStream(*arguments.out, [&](std::ostream& file) {
      ExportHistoryCsv(reader, from, to, every, file);
    });
    if (!written) {
      std::cerr << "kavro-history: cannot write " << SafeText(*arguments.out, kSafeTextLimit)
                << "\n";
      return 1;
    }
    return 0;
  } catch (const HistoryReadError& failure) {
    std::cerr << "kavro-history: " << SafeText(failure.what(), 4 * kSafeTextLimit) << "\n";
    return failure.missing ? 2 : 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (const int status = AnswerVersionOrHelp(argc, argv, "kavro-history", kUsage); status >= 0) {
    return status;
  }
  std::ios::sync_with_stdio(false);
  const auto arguments = ParseArguments(argc, argv);
  if (!arguments) {
    std::cerr << kUsage;
    return 2;
  }
  return Run(*arguments);
}
