#include "RuleBaseCommands.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "common/DateText.h"
#include "common/LocalNow.h"
#include "common/NumberText.h"
#include "common/SafeText.h"
#include "config/ConfigFile.h"
#include "config/FclExport.h"
#include "config/FclImport.h"
#include "engine/ControlSurface.h"

namespace kavro::tool {
namespace {

namespace fs = std::filesystem;

// Reader messages go to standard error, so standard output holds only the CSV or FCL text.
class StderrOperator : public Operator {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon,
                       MsgButtons buttons) override {
    ++shown;
    if (quiet) return AsksYesOrNo(buttons) ? MsgAnswer::Yes : MsgAnswer::OK;
    std::cerr << "[" << SafeText(title) << "] " << SafeText(text, 4 * kSafeTextLimit) << "\n";
    return AsksYesOrNo(buttons) ? MsgAnswer::Yes : MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string& initial) override {
    return initial;
  }
  int shown = 0;
  bool quiet = false;
};

// Reads PATH (an FLC.dat file or a folder holding one) as the controller does.
bool LoadConfig(const std::string& argument, Controller& controller, StderrOperator& op) {
  fs::path path = argument;
  std::error_code ec;
  if (fs::is_directory(path, ec)) path /= "FLC.dat";
  std::string bytes;
  if (fs::is_directory(path, ec) || !SystemFileSystem().ReadAll(path.string(), bytes)) {
    std::cerr << BadInputLine("kavro-config", path.string(), 0, "cannot read") << "\n";
    return false;
  }
  controller.ports.op = &op;
  ResetModel(controller.model, path.parent_path().string());
  ApplyDefaults(controller.model);
  ConfigReadNotes notes;
  op.quiet = true;  // a file that is no configuration is told in one line, not in a message
  const bool read = ReadConfigBytes(controller, bytes, &notes);
  op.quiet = false;
  if (!read) {
    std::cerr << BadInputLine("kavro-config", path.string(), notes.failureLine,
                              "not a configuration: " + notes.failureReason)
              << "\n";
  }
  return read;
}

int SurfaceUsage() {
  std::cerr << "usage: kavro-config surface PATH --output NAME --x NAME [--y NAME]"
               " [--set NAME=VALUE ...] [--points N]\n";
  return 2;
}

int InputSlot(const ControllerModel& model, const std::string& name) {
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i]) && model.PVarIn[i].PVarName == name) return i;
  }
  return 0;
}

int OutputSlot(const ControllerModel& model, const std::string& name) {
  for (int o = 1; o <= NumOut; ++o) {
    if (IsUsed(model.PVarOut[o]) && model.PVarOut[o].PVarName == name) return o;
  }
  return 0;
}

int Surface(int argc, char** argv) {
  if (argc < 3) return SurfaceUsage();
  std::string outputName, xName, yName;
  std::vector<std::string> sets;
  std::string points;
  for (int a = 3; a < argc; ++a) {
    const std::string option = argv[a];
    if (a + 1 >= argc) return SurfaceUsage();
    const std::string value = argv[++a];
    if (option == "--output")
      outputName = value;
    else if (option == "--x")
      xName = value;
    else if (option == "--y")
      yName = value;
    else if (option == "--set")
      sets.push_back(value);
    else if (option == "--points")
      points = value;
    else
      return SurfaceUsage();
  }
  if (outputName.empty() || xName.empty()) return SurfaceUsage();

  StderrOperator op;
  Controller controller;
  if (!LoadConfig(argv[2], controller, op)) return 2;
  const ControllerModel& model = controller.model;
  SurfaceRequest request;
  request.output = OutputSlot(model, outputName);
  request.xInput = InputSlot(model, xName);
  request.yInput = yName.empty() ? 0 : InputSlot(model, yName);
  request.points = yName.empty() ? 200 : 60;
  const auto refuse = [](const std::string& why) {
    std::cerr << "kavro-config: " << why << "\n";
    return 1;
  };
  if (request.output == 0) return refuse("no output named " + outputName);
  if (request.xInput == 0) return refuse("no input named " + xName);
  if (!yName.empty() && request.yInput == 0) return refuse("no input named " + yName);
  if (request.yInput == request.xInput) return refuse("--x and --y name the same input");
  if (!points.empty()) {
    if (!IsNumeric(points) || ToNumber(points) < 2 || ToNumber(points) > 1000) {
      return refuse("--points takes a whole number from 2 to 1000");
    }
    request.points = static_cast<int>(ToNumber(points));
  }
  for (const std::string& set : sets) {
    const size_t eq = set.rfind('=');
    const int slot = eq == std::string::npos ? 0 : InputSlot(model, set.substr(0, eq));
    if (slot == 0) return refuse("--set " + set + ": no input of that name");
    if (!IsNumeric(set.substr(eq + 1))) return refuse("--set " + set + ": not a number");
    request.held[slot] = ToSingle(set.substr(eq + 1));
  }
  EngineOnCopy engine(model);
  const kavro::Surface surface = ComputeSurface(engine, request);
  std::cout << SurfaceCsv(surface, xName, yName, outputName);
  return 0;
}

int ExportFcl(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: kavro-config export-fcl PATH\n";
    return 2;
  }
  StderrOperator op;
  Controller controller;
  if (!LoadConfig(argv[2], controller, op)) return 2;
  std::cout << FclText(controller.model);
  return op.shown == 0 ? 0 : 1;
}

int ImportFcl(int argc, char** argv) {
  if (argc != 5 || std::string(argv[3]) != "--into") {
    std::cerr << "usage: kavro-config import-fcl FILE.fcl --into DIR\n";
    return 2;
  }
  FileSystem& files = SystemFileSystem();
  std::string text;
  std::error_code ec;
  if (fs::is_directory(argv[2], ec) || !files.ReadAll(argv[2], text)) {
    std::cerr << BadInputLine("kavro-config", argv[2], 0, "cannot read") << "\n";
    return 2;
  }
  const fs::path dir = argv[4];
  if (!fs::is_directory(dir, ec)) {
    std::cerr << "kavro-config: no folder " << dir.string() << "\n";
    return 2;
  }
  FclImportResult imported = ImportFclText(text, dir.string());
  if (!imported.error.empty()) {
    std::cerr << BadInputLine("kavro-config", argv[2], imported.line, imported.error,
                              imported.column)
              << "\n";
    return 2;
  }
  const std::string bytes = ConfigText(imported.model, GeneralDate(LocalNow()));
  // The result must read back as the controller reads it before it replaces anything.
  StderrOperator op;
  Controller check;
  check.ports.op = &op;
  ResetModel(check.model, dir.string());
  ApplyDefaults(check.model);
  ReadConfigBytes(check, bytes);
  if (op.shown != 0) {
    std::cerr << "kavro-config: the imported configuration does not read back; nothing written\n";
    return 1;
  }
  std::string failure;
  const std::string target = (dir / "FLC.dat").string();
  if (!files.WriteAtomic(target, bytes, &failure)) {
    std::cerr << "kavro-config: cannot write " << target << ": " << failure << "\n";
    return 1;
  }
  std::cout << "wrote " << target << "\n";
  return 0;
}

}  // namespace

bool IsRuleBaseCommand(const std::string& command) {
  return command == "surface" || command == "export-fcl" || command == "import-fcl";
}

int RunRuleBaseCommand(int argc, char** argv) {
  const std::string command = argv[1];
  if (command == "surface") return Surface(argc, argv);
  if (command == "export-fcl") return ExportFcl(argc, argv);
  return ImportFcl(argc, argv);
}

}  // namespace kavro::tool
