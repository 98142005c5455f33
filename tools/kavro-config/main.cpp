// kavro-config: what an engineer runs before putting a configuration on a plant.
//   kavro-config check PATH   reads FLC.dat as the controller does, prints every message the
//                             reader would show and a summary; exit 0 clean, 1 with messages
//   kavro-config dump PATH    writes exactly the bytes the controller would save for it
// PATH is an FLC.dat file or a folder holding one. Exit status 2: usage or missing file.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "ConfigSummary.h"
#include "config/ConfigFile.h"

namespace {

using namespace kavro;

// Messages go to the console instead of a box; every question is answered with its default.
class ConsoleOperator : public Operator {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon,
                       MsgButtons buttons) override {
    ++shown;
    std::string shownText;
    for (char c : text) {
      if (c != '\r') shownText += c;  // message lines are CR LF; the console wants LF
    }
    std::cout << "[" << title << "] " << shownText << "\n";
    return AsksYesOrNo(buttons) ? MsgAnswer::Yes : MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string& initial) override {
    return initial;
  }
  int shown = 0;
};

class SystemClock : public Clock {
 public:
  double SecondsOfDay() override {
    const DateTime now = Now();
    return SecondsSinceMidnight(now);
  }
  DateTime Now() override {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     local.tm_sec};
  }
};

int Usage() {
  std::cerr << "usage: kavro-config check PATH | kavro-config dump PATH\n"
               "  PATH: an FLC.dat file or a folder holding one\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  const std::string command = argv[1];
  if (command != "check" && command != "dump") return Usage();
  namespace fs = std::filesystem;
  fs::path path = argv[2];
  std::error_code ec;
  if (fs::is_directory(path, ec)) path /= "FLC.dat";
  std::string bytes;
  if (!SystemFileSystem().ReadAll(path.string(), bytes) || fs::is_directory(path, ec)) {
    std::cerr << "kavro-config: cannot read " << path.string() << "\n";
    return 2;
  }

  ConsoleOperator op;
  SystemClock clock;
  Controller controller;
  controller.ports.op = &op;
  controller.ports.clock = &clock;
  ResetModel(controller.model, path.parent_path().string());
  ApplyDefaults(controller.model);
  ReadConfigBytes(controller, bytes);

  if (command == "dump") {
    const std::string text =
        ConfigText(controller.model, GeneralDate(clock.Now()));
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    return op.shown == 0 ? 0 : 1;
  }
  std::cout << ConfigSummary(controller.model);
  return op.shown == 0 ? 0 : 1;
}
