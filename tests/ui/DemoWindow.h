#pragma once
// The demo kiln's window with fake operator, clock, event pump and cycle timer, for the window
// tests: its configuration without the link client, so the values come from the grid.
#include <string>

#include "support/DemoFiles.h"
#include "support/FakePorts.h"
#include "ui/ControllerHost.h"

namespace kavro::test {

// demo/FLC.dat with "RESTART I/F: NO": the link client program is not started.
inline std::string DemoConfigWithoutLinkClient() {
  std::string text = DemoFile("FLC.dat");
  const std::string restart = "RESTART I/F: YES";
  const auto at = text.find(restart);
  if (at != std::string::npos) text.replace(at, restart.size(), "RESTART I/F: NO");
  return text;
}

// The window started on the demo in a scratch folder; waits pass on the fake clock.
struct DemoWindow {
  DemoWindow() {
    dir.Write("FLC.dat", DemoConfigWithoutLinkClient());
    Ports& ports = host.controller().ports;
    ports.op = &op;
    ports.clock = &clock;
    ports.events = &pump;
    ports.timer = &timer;
    host.Start(dir.Path());
  }
  Controller& c() { return host.controller(); }
  ScratchDir dir;
  FakeOperator op;
  FakeClock clock;
  FakeEventPump pump{&clock};
  FakeCycleTimer timer;
  ui::ControllerHost host;
};

}  // namespace kavro::test
