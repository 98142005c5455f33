#pragma once
// A controller with the script host wired in by the session, as the program wires it: start-up
// loads both scripts from a scratch working folder, and the cycle's script steps run them.
#include <string>
#include <vector>

#include "scripting/host/ScriptHost.h"
#include "scripting/host/ShareObject.h"
#include "session/ControllerBuilder.h"
#include "support/DemoFiles.h"
#include "support/FakePorts.h"

namespace kavro::test {

inline std::string DemoConfig() { return DemoFile("FLC.dat"); }

// A script file as the editor saves it.
inline std::string ScriptFileOf(const char* statusLine, const std::string& body) {
  return std::string(statusLine) + "\r\n12/6/2026 7:00:00 PM\r\n" + body;
}

// No link and no window: the scripts and the cycle only.
inline SessionOptions HeadlessOptions() {
  SessionOptions options = SessionOptions::ForReplay();
  options.withScripts = true;
  return options;
}

struct HostWorld {
  HostWorld() {
    SetProgramDefaults(controller, dir.Path());
    session.cycleSteps().runTimeErrorReported = [this](Controller&, const std::string& text) {
      reported.push_back(text);
    };
  }

  // Start-up on the demo configuration with the given script files ("" = no file).
  void Start(const std::string& preFile, const std::string& postFile) {
    dir.Write("FLC.dat", DemoConfig());
    if (!preFile.empty()) dir.Write("FLC_Pre.scp", preFile);
    if (!postFile.empty()) dir.Write("FLC_Post.scp", postFile);
    session.Start(dir.Path());
  }

  void Tick() { session.RunCycle(); }
  void Command(const char* name) { session.RunCommand(name); }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : world.op.messages) texts.push_back(m.text);
    return texts;
  }

  FakeWorld world;
  Controller& controller = world.controller;
  ControllerModel& model = controller.model;
  ScratchDir dir;
  BuiltController built{controller, SessionParts(HeadlessOptions())};
  ControllerSession& session = built.session();
  ScriptHost& host = session.scriptHost();
  std::vector<std::string> reported;
};

}  // namespace kavro::test
