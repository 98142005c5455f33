#pragma once
// A controller with the script host wired in as the program wires it: start-up loads both
// scripts from a scratch working folder, and the cycle's script steps run them.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/ControlCycle.h"
#include "session/Startup.h"
#include "scripting/host/ScriptHost.h"
#include "scripting/host/ShareObject.h"
#include "support/FakePorts.h"

namespace kavro::test {

inline std::string DemoConfig() {
  std::ifstream in(std::string(KAVRO_SOURCE_DIR) + "/demo/FLC.dat", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A script file as the editor saves it.
inline std::string ScriptFileOf(const char* statusLine, const std::string& body) {
  return std::string(statusLine) + "\r\n12/6/2026 7:00:00 PM\r\n" + body;
}

struct HostWorld {
  HostWorld() {
    SetProgramDefaults(controller, dir.Path());
    startup.loadPreScript = [this](Controller&) { return StartUpScript(ScriptKind::Pre); };
    startup.loadPostScript = [this](Controller&) { return StartUpScript(ScriptKind::Post); };
    startup.clearScriptStore = [](Controller& c) { ClearScriptStore(c.model); };
    cycle.runPreScript = [this](Controller&) { return host.Run(ScriptKind::Pre); };
    cycle.runPostScript = [this](Controller&) { return host.Run(ScriptKind::Post); };
    cycle.runTimeErrorReported = [this](Controller&, const std::string& text) {
      reported.push_back(text);
    };
  }

  ScriptLoadOutcome StartUpScript(ScriptKind kind) {
    host.StartUp(kind);
    return {host.Script(kind).loadError, host.Script(kind).on};
  }

  // Start-up on the demo configuration with the given script files ("" = no file).
  void Start(const std::string& preFile, const std::string& postFile) {
    dir.Write("FLC.dat", DemoConfig());
    if (!preFile.empty()) dir.Write("FLC_Pre.scp", preFile);
    if (!postFile.empty()) dir.Write("FLC_Post.scp", postFile);
    FLControlLoad(controller, startup);
  }

  void Tick() { Timer1Tick(controller, cycle); }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : world.op.messages) texts.push_back(m.text);
    return texts;
  }

  FakeWorld world;
  Controller& controller = world.controller;
  ControllerModel& model = controller.model;
  ScratchDir dir;
  ScriptHost host{controller};
  StartupSteps startup;
  CycleSteps cycle;
  std::vector<std::string> reported;
};

}  // namespace kavro::test
