// kavro-plantsim: a plant simulator that is a link client program. The controller starts it as
// WorkDir/kavro-plantsim <Name1>; tests add --speed to run the plant faster than real time.
// With --opcua PORT it serves the same plant as an OPC UA server instead, for the OPC link.
#include <cstdio>
#include <string>

#include "OpcServerSession.h"
#include "Session.h"
#include "common/NumberText.h"
#include "common/ProgramVersion.h"

namespace {

constexpr const char* kUsage =
    "usage: kavro-plantsim [--dir DIR] [--plant FILE] [--speed N] [--idle SECONDS]\n"
    "                      [--opcua PORT] NAME1\n"
    "  Simulates the plant of DIR/plant.txt for the controller NAME1, exchanging\n"
    "  NAME1.Tag, NAME1.IN and NAME1.OUT in DIR (default: the current folder).\n"
    "  --speed N       run the plant N times faster than real time (default 1)\n"
    "  --idle SECONDS  end when neither NAME1.OUT nor NAME1.TST has changed for that long\n"
    "                  (default: 120 s or three run periods, whichever is longer)\n"
    "  --opcua PORT    serve the plant as an OPC UA server on 127.0.0.1:PORT instead of\n"
    "                  exchanging files; the tags of DIR/FLC.dat are its variables\n"
    "Exit status: 0 ended (idle, or stopped by a signal), 2 usage, a bad NAME1, or a\n"
    "  plant description or configuration that cannot be read (one line on stderr).\n";

bool ReadPositive(const char* text, double& into) {
  if (!kavro::IsNumeric(text)) return false;
  into = kavro::ToNumber(text);
  return into > 0;
}

}  // namespace

int main(int argc, char** argv) {
  kavro::plantsim::SessionOptions options;
  double opcuaPort = 0;
  for (int n = 1; n < argc; ++n) {
    const std::string word = argv[n];
    const bool hasValue = n + 1 < argc;
    if (word == "--dir" && hasValue) {
      options.dir = argv[++n];
    } else if (word == "--plant" && hasValue) {
      options.plantFile = argv[++n];
    } else if (word == "--speed" && hasValue && ReadPositive(argv[n + 1], options.speed)) {
      ++n;
    } else if (word == "--idle" && hasValue && ReadPositive(argv[n + 1], options.idleSeconds)) {
      ++n;
    } else if (word == "--opcua" && hasValue && ReadPositive(argv[n + 1], opcuaPort) &&
               opcuaPort < 65536) {
      ++n;
    } else if (word == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (word == "--version") {
      std::printf("kavro-plantsim %s\n", kavro::kVersionText);
      return 0;
    } else if (!word.starts_with("--") && options.name1.empty()) {
      options.name1 = word;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (opcuaPort > 0) {
    if (options.name1.empty()) options.name1 = "OPCUA";
    return kavro::plantsim::RunOpcServer(options, static_cast<int>(opcuaPort));
  }
  if (options.name1.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  return kavro::plantsim::RunSession(options);
}
