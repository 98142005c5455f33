// kavro-script FILE [--cycles N]: runs a pre- or post-process script file offline, as the
// controller loads it (top-level code once), then N more times as the control cycle runs it.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "ConsoleHost.h"
#include "ScriptFile.h"
#include "common/ProgramVersion.h"

namespace {

constexpr const char* kUsage =
    "usage: kavro-script FILE [--cycles N]\n"
    "  Runs a pre- or post-process script file (FLC_Pre.scp, FLC_Post.scp) as the\n"
    "  controller loads it, then N more times as the control cycle runs it.\n";

}  // namespace

int main(int argc, char** argv) {
  if (const int status = kavro::AnswerVersionOrHelp(argc, argv, "kavro-script", kUsage);
      status >= 0) {
    return status;
  }
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--cycles")) {
    std::cerr << kUsage;
    return 2;
  }
  int cycles = 0;
  if (argc == 4) {
    char* end = nullptr;
    const long n = std::strtol(argv[3], &end, 10);
    if (*end != '\0' || n < 0 || n > 1000000) {
      std::cerr << "kavro-script: --cycles needs a count from 0 to 1000000\n";
      return 2;
    }
    cycles = static_cast<int>(n);
  }
  std::ifstream file(argv[1], std::ios::binary);
  if (!file) {
    std::cerr << "kavro-script: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::ostringstream contents;
  contents << file.rdbuf();
  const kavro::script::ScriptText script = kavro::script::ExtractScriptText(contents.str());

  kavro::script::ConsoleUi ui(std::cout, std::cin);
  kavro::vbs::ScriptEngine engine;
  engine.SetLanguage("VBScript");
  engine.SetUi(&ui);
  engine.AddObject("console", kavro::script::MakeConsoleObject(std::cout));
  try {
    engine.ClearCode();
    if (!script.text.empty()) {
      engine.AddCode(script.text);
      for (int i = 0; i < cycles; ++i) engine.ExecuteStatement(script.text);
    }
  } catch (const kavro::vbs::ScriptError& e) {
    std::cout.flush();
    std::cerr << "Error " << e.Number() << ": " << e.Description() << " (line " << e.Line()
              << ")\n";
    return 1;
  }
  return 0;
}
