// kavro-config: what an engineer runs before putting a configuration on a plant.
//   kavro-config check PATH   reads FLC.dat as the controller does, prints every message the
//                             reader would show, then every problem the readiness check finds
//                             as a warning, then a summary; exit 0 clean, 1 with either
//   kavro-config dump PATH    writes exactly the bytes the controller would save for it
//   kavro-config diff A B     prints each field that differs between two configurations, named
//                             by variable, zone and rule; exit 0 equal, 1 different
//   kavro-config surface PATH --output NAME --x NAME [--y NAME] [--set NAME=VALUE ...]
//                             [--points N]   the control surface as CSV
//   kavro-config export-fcl PATH              the rule base as FCL (IEC 61131-7)
//   kavro-config import-fcl FILE.fcl --into DIR   FCL back into DIR/FLC.dat
// PATH, A and B are FLC.dat files or folders holding one. Exit status 2: usage, a missing file,
// or a file that is no configuration (FCL) where one is needed, told in one line.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ConfigSummary.h"
#include "RuleBaseCommands.h"
#include "common/LocalNow.h"
#include "common/ProgramVersion.h"
#include "common/SafeText.h"
#include "config/ConfigDiff.h"
#include "config/ConfigFile.h"
#include "edit/ReadinessCheck.h"

namespace {

using namespace kavro;

// A message's CR LF lines as console lines, each made safe: a message quotes the file's bytes.
std::string ConsoleLines(const std::string& text) {
  std::string lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (start > 0) lines += "\n";
    lines += SafeText(std::string_view(text).substr(start, end - start), 4 * kSafeTextLimit);
    start = end + 2;
  }
  return lines;
}

// Messages go to the console instead of a box; every question is answered with its default.
class ConsoleOperator : public Operator {
 public:
  explicit ConsoleOperator(std::ostream& out) : out_(out) {}
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon,
                       MsgButtons buttons) override {
    ++shown;
    out_ << "[" << title << "] " << ConsoleLines(text) << "\n";
    return AsksYesOrNo(buttons) ? MsgAnswer::Yes : MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string& initial) override {
    return initial;
  }
  int shown = 0;

 private:
  std::ostream& out_;
};

class SystemClock : public Clock {
 public:
  double SecondsOfDay() override {
    const DateTime now = Now();
    return SecondsSinceMidnight(now);
  }
  DateTime Now() override { return LocalNow(); }
};

constexpr const char* kUsage =
    "usage: kavro-config check PATH | dump PATH | diff A B | export-fcl PATH\n"
    "       kavro-config import-fcl FILE.fcl --into DIR\n"
    "       kavro-config surface PATH --output NAME --x NAME [--y NAME]\n"
    "                    [--set NAME=VALUE ...] [--points N]\n"
    "  check       read FLC.dat as the controller does, print its messages, the\n"
    "              readiness check's warnings and a summary\n"
    "  dump        write the bytes the controller would save for it\n"
    "  diff        print each field that differs between two configurations\n"
    "  export-fcl  write the configuration as IEC 61131-7 FCL\n"
    "  import-fcl  read an FCL file into DIR/FLC.dat\n"
    "  surface     print an output's defuzzified value over one or two inputs as CSV\n"
    "  PATH, A, B: an FLC.dat file or a folder holding one\n"
    "Exit status: 0 done (check: clean; diff: equal), 1 check found messages or\n"
    "  warnings, diff found differences, or surface/import-fcl refused; 2 usage, a\n"
    "  missing file, or a file that is no configuration or no FCL (one line on stderr\n"
    "  naming the file and line).\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

// A configuration read as the controller reads it, its reader's messages shown on `messages`.
struct LoadedConfig {
  explicit LoadedConfig(std::ostream& messages) : op(messages) {
    controller.ports.op = &op;
    controller.ports.clock = &clock;
  }
  ConsoleOperator op;
  SystemClock clock;
  Controller controller;
};

// Nothing when the file cannot be read, or (mustRead) does not read as a configuration: the
// reason is one line on stderr, and the command exits 2.
std::unique_ptr<LoadedConfig> Load(const std::string& argument, std::ostream& messages,
                                   bool mustRead) {
  namespace fs = std::filesystem;
  fs::path path = argument;
  std::error_code ec;
  if (fs::is_directory(path, ec)) path /= "FLC.dat";
  std::string bytes;
  if (!SystemFileSystem().ReadAll(path.string(), bytes) || fs::is_directory(path, ec)) {
    std::cerr << BadInputLine("kavro-config", path.string(), 0, "cannot read") << "\n";
    return nullptr;
  }
  static std::ostream quiet(nullptr);  // a configuration that must read is told in one line
  auto loaded = std::make_unique<LoadedConfig>(mustRead ? quiet : messages);
  ResetModel(loaded->controller.model, path.parent_path().string());
  ApplyDefaults(loaded->controller.model);
  ConfigReadNotes notes;
  if (!ReadConfigBytes(loaded->controller, bytes, &notes) && mustRead) {
    std::cerr << BadInputLine("kavro-config", path.string(), notes.failureLine,
                              "not a configuration: " + notes.failureReason)
              << "\n";
    return nullptr;
  }
  return loaded;
}

int Diff(const std::string& a, const std::string& b) {
  const auto before = Load(a, std::cerr, true);
  const auto after = before ? Load(b, std::cerr, true) : nullptr;
  if (!after) return 2;
  const std::vector<std::string> differences =
      ConfigDifferences(before->controller.model, after->controller.model);
  for (const std::string& line : differences) std::cout << line << "\n";
  return differences.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int status = AnswerVersionOrHelp(argc, argv, "kavro-config", kUsage); status >= 0) {
    return status;
  }
  if (argc >= 2 && kavro::tool::IsRuleBaseCommand(argv[1])) {
    return kavro::tool::RunRuleBaseCommand(argc, argv);
  }
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "diff") return argc == 4 ? Diff(argv[2], argv[3]) : Usage();
  if (argc != 3 || (command != "check" && command != "dump")) return Usage();
  const auto loaded = Load(argv[2], std::cout, command == "dump");
  if (!loaded) return 2;
  const ControllerModel& model = loaded->controller.model;
  const int shown = loaded->op.shown;

  if (command == "dump") {
    const std::string text = ConfigText(model, GeneralDate(loaded->clock.Now()));
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    return shown == 0 ? 0 : 1;
  }
  const std::vector<ReadinessProblem> problems = ReadinessProblems(model);
  for (const ReadinessProblem& problem : problems) std::cout << "warning: " << problem.text << "\n";
  std::cout << ConfigSummary(model);
  return shown == 0 && problems.empty() ? 0 : 1;
}
