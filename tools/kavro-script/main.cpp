// kavro-script FILE [--workdir DIR] [--cycles N] [--time-limit MS]: runs a pre- or post-process
// script file offline, as the controller loads it (top-level code once), then N more times as
// the control cycle runs it. With --workdir the script runs as a script of the controller
// configured by DIR/FLC.dat: the object share and its 38 procedures work on that configuration
// and on a script store of its own, so a script can be tried on a copy of a plant's
// configuration before it is switched on. Each run has the controller's time limit unless
// --time-limit gives another. Errors name the line of the file, as an engineer sees it in an
// editor.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "ConsoleHost.h"
#include "common/ProgramVersion.h"
#include "common/SafeText.h"
#include "common/ports/Operator.h"
#include "scripting/host/ScriptFile.h"
#include "scripting/host/ScriptHost.h"
#include "scripting/host/ShareObject.h"
#include "session/Replay.h"

namespace {

using namespace kavro;

constexpr const char* kUsage =
    "usage: kavro-script FILE [--workdir DIR] [--cycles N] [--time-limit MS]\n"
    "  Runs a pre- or post-process script file (FLC_Pre.scp, FLC_Post.scp) as the\n"
    "  controller loads it, then N more times as the control cycle runs it. With\n"
    "  --workdir, DIR/FLC.dat is loaded and the script's data-access procedures work\n"
    "  on that configuration. Each run may take as long as the controller allows a\n"
    "  script (half the run frequency, at least 1000 ms) or MS milliseconds given\n"
    "  with --time-limit (0: no limit); a run that takes longer ends with error 9000.\n"
    "Exit status: 0 the script ran, 1 a script error (file and line on stderr),\n"
    "  2 usage, an unreadable script file or a --workdir without a readable FLC.dat.\n";

struct Arguments {
  std::string file;
  std::string workDir;
  int cycles = 0;
  std::optional<int> timeLimitMs;  // none: the controller's
};

// A whole number from 0 to most, or nothing.
std::optional<int> CountIn(const std::string& text, long most) {
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || n < 0 || n > most) return std::nullopt;
  return static_cast<int>(n);
}

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  Arguments arguments;
  arguments.file = argv[1];
  for (int k = 2; k < argc; k += 2) {
    if (k + 1 >= argc) return std::nullopt;
    const std::string option = argv[k];
    const std::string value = argv[k + 1];
    if (option == "--workdir") {
      arguments.workDir = value;
    } else if (option == "--cycles") {
      const auto n = CountIn(value, 1000000);
      if (!n) {
        std::cerr << "kavro-script: --cycles needs a count from 0 to 1000000\n";
        return std::nullopt;
      }
      arguments.cycles = *n;
    } else if (option == "--time-limit") {
      arguments.timeLimitMs = CountIn(value, 86400000);
      if (!arguments.timeLimitMs) {
        std::cerr << "kavro-script: --time-limit needs milliseconds from 0 to 86400000\n";
        return std::nullopt;
      }
    } else {
      return std::nullopt;
    }
  }
  return arguments;
}

// What the controller would show in a message box while loading its configuration.
class StderrOperator : public Operator {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon,
                       MsgButtons buttons) override {
    std::cerr << "[" << title << "] " << text << "\n";
    return AsksYesOrNo(buttons) ? MsgAnswer::Yes : MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string& initial) override {
    return initial;
  }
};

// A file saved as a post-process script reads as one; any other as a pre-process script.
ScriptKind KindOf(const std::string& bytes) {
  return bytes.find("Status PostProcess = ") != std::string::npos ? ScriptKind::Post
                                                                  : ScriptKind::Pre;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int status = kavro::AnswerVersionOrHelp(argc, argv, "kavro-script", kUsage);
      status >= 0) {
    return status;
  }
  const auto arguments = ParseArguments(argc, argv);
  if (!arguments) {
    std::cerr << kUsage;
    return 2;
  }
  std::ifstream file(arguments->file, std::ios::binary);
  if (!file || std::filesystem::is_directory(arguments->file)) {
    std::cerr << BadInputLine("kavro-script", arguments->file, 0, "cannot read") << "\n";
    return 2;
  }
  std::ostringstream contents;
  contents << file.rdbuf();
  const ScriptFileContent script = ReadScriptFile(contents.str(), KindOf(contents.str()));

  StderrOperator op;
  Controller controller;
  controller.ports.op = &op;
  if (!arguments->workDir.empty()) {
    // A folder without a configuration would give the procedures a blank controller.
    const std::string config = arguments->workDir + "/FLC.dat";
    if (!std::filesystem::is_regular_file(config)) {
      std::cerr << BadInputLine("kavro-script", config, 0, "no such configuration") << "\n";
      return 2;
    }
    if (!LoadForReplay(controller, arguments->workDir)) {
      std::cerr << BadInputLine("kavro-script", config, 0,
                                "does not read as a configuration; the script was not run")
                << "\n";
      return 2;
    }
    ClearScriptStore(controller.model);
  }

  script::ConsoleUi ui(std::cout, std::cin);
  vbs::ScriptEngine engine;
  engine.SetLanguage("VBScript");
  engine.SetUi(&ui);
  engine.AddObject("console", script::MakeConsoleObject(std::cout));
  if (!arguments->workDir.empty()) {
    engine.AddObject(kShareObjectName, MakeShareObject(controller.model), true);
  }
  engine.SetTimeLimit(arguments->timeLimitMs.value_or(ScriptTimeLimitMs(controller.model)));
  try {
    engine.ClearCode();
    if (!script.text.empty()) {
      engine.AddCode(script.text);
      for (int i = 0; i < arguments->cycles; ++i) engine.ExecuteStatement(script.text);
    }
  } catch (const vbs::ScriptError& e) {
    std::cout.flush();
    std::cerr << SafeText(arguments->file, 4 * kSafeTextLimit) << ": line "
              << FileLineOf(script.fileLines, e.Line()) << ": Error " << e.Number() << ": "
              << SafeText(e.Message(), 4 * kSafeTextLimit) << "\n";
    return 1;
  }
  return 0;
}
