// The controller core against a real kavro-plantsim process: the file link closes the loop over
// the demo kiln, survives the death of its link client program and brings it back.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <numeric>
#include <thread>

#include "link/FileLink.h"
#include "link/PosixProcessStarter.h"
#include "session/ControllerSession.h"
#include "session/LinkCommands.h"
#include "support/Eventually.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

// Plant seconds per real second; the controller's clock is a fake that the test moves on.
constexpr int kSpeed = 100;

using namespace std::chrono_literals;

// The demo working folder (FLC.dat, plant.txt) with the simulator as its link client program,
// and a controller started in it as the program starts: defaults, FLC.dat, the link auto-start.
class DemoPlant {
 public:
  DemoPlant() {
    for (const char* name : {"FLC.dat", "plant.txt"}) {
      std::filesystem::copy_file(std::string(KAVRO_SOURCE_DIR) + "/demo/" + name, dir.File(name));
    }
    // Started by the controller as WorkDir/kavro-plantsim KILN1, running the plant faster.
    dir.Write("kavro-plantsim", "#!/bin/sh\nexec '" + std::string(KAVRO_BINARY_DIR) +
                                    "/tools/kavro-plantsim/kavro-plantsim' --speed " +
                                    std::to_string(kSpeed) + " --idle 20 \"$@\"\n");
    chmod(dir.File("kavro-plantsim").c_str(), 0755);
    dir.Write("KILN1.OUT", "left from an earlier run");

    Ports& ports = controller.ports;
    ports.op = &op;
    ports.clock = &clock;
    ports.events = &events;
    ports.timer = &timer;
    ports.processes = &processes;
    ports.clipboard = &clipboard;
    session.Start(dir.Path());
  }

  ~DemoPlant() {
    // Whatever happened, no simulator outlives the test.
    const long long id = ClientProcessId();
    if (id > 0 && processes.IsRunning(id)) {
      kill(static_cast<pid_t>(id), SIGKILL);
      Eventually(5s, [&] { return !processes.IsRunning(id); });
    }
  }

  // One control cycle, then the cycle's period passes for the plant (and for the fake clock).
  void Cycle() {
    session.RunCycle();
    const int period = controller.model.FLCBlock.RunFrequency;
    std::this_thread::sleep_for(
        std::chrono::duration<double>(static_cast<double>(period) / kSpeed));
    clock.Advance(period);
  }

  long long ClientProcessId() {
    const auto* file = dynamic_cast<const FileLink*>(session.link().Current());
    return file ? file->Client().processId : 0;
  }
  bool ClientRunning() { return processes.IsRunning(ClientProcessId()); }
  bool InFileThere() const { return std::filesystem::exists(dir.File("KILN1.IN")); }
  std::vector<std::string> Lines(const std::string& name) const {
    std::vector<std::string> lines;
    const std::string bytes = dir.Read(name);
    for (std::size_t start = 0, end; start < bytes.size(); start = end + 2) {
      end = bytes.find("\r\n", start);
      if (end == std::string::npos) end = bytes.size();
      lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
  }

  ScratchDir dir;
  FakeOperator op;
  FakeClock clock;
  FakeEventPump events{&clock};
  FakeCycleTimer timer;
  PosixProcessStarter processes;
  FakeClipboard clipboard;
  Controller controller;
  ControllerSession session{controller};
};

TEST(FileLinkWithPlantSimulator, LoopClosesAndTheRestartOptionBringsAKilledClientBack) {
  DemoPlant plant;
  ControllerModel& m = plant.controller.model;
  ASSERT_EQ(m.Link.LinkStatus, kOn) << "RESTART I/F: YES switches the link on at start-up";
  ASSERT_TRUE(plant.op.messages.empty()) << plant.op.messages.front().text;
  ASSERT_FALSE(m.ToFileMode);
  const long long firstClient = plant.ClientProcessId();
  ASSERT_GT(firstClient, 0);
  ASSERT_TRUE(Eventually(10s, [&] { return plant.InFileThere(); })) << "the client's first .IN";

  // Closed loop: the burning zone starts cold (1375) below its OK zone (1410..1430).
  std::vector<float> temperature;
  for (int cycle = 1; cycle <= 120; ++cycle) {
    plant.Cycle();
    ASSERT_FALSE(m.LinkReadError) << "cycle " << cycle;
    ASSERT_FALSE(m.LinkWriteError) << "cycle " << cycle;
    ASSERT_NE(m.ErrorCodeValue, 1);
    ASSERT_NE(m.ErrorCodeValue, 2);
    temperature.push_back(m.PVarIn[1].PVIN);
  }
  const float start = temperature[1];
  const float recent = std::accumulate(temperature.end() - 20, temperature.end(), 0.0f) / 20;
  EXPECT_LT(start, 1390.0f);
  EXPECT_GT(recent, 1395.0f) << "the fuel brought the temperature up";
  EXPECT_LT(recent, 1450.0f) << "and did not overshoot far";
  EXPECT_GT(m.PVarOut[1].PVIN, 8.2f) << "fuel, as read back from the plant";
  EXPECT_EQ(plant.dir.Read("KILN1.OUT").substr(0, 8), "\"KILN1\"\r");
  EXPECT_TRUE(EventTextsOfKind(plant.controller.events, EventKind::LinkFault).empty());

  // The link client program dies: the next read finds no .IN, error code 1 goes to the DCS.
  kill(static_cast<pid_t>(firstClient), SIGTERM);
  ASSERT_TRUE(Eventually(10s, [&] { return !plant.ClientRunning() && !plant.InFileThere(); }));
  plant.Cycle();
  EXPECT_TRUE(m.LinkReadError);
  EXPECT_EQ(m.ErrorCodeValue, 1);
  EXPECT_NE(plant.dir.Read("KILN1.OUT").find("\r\n1\r\n1\r\n"), std::string::npos)
      << "watchdog 1, then error code 1";

  // The same cycle's supervision started the client again; the link comes back by itself.
  ASSERT_NE(plant.ClientProcessId(), firstClient);
  EXPECT_EQ(EventTextsOfKind(plant.controller.events, EventKind::LinkFault),
            (std::vector<std::string>{"Link read error began",
                                      "Link Client Program Ended - Restarted kavro-plantsim KILN1"}));
  ASSERT_TRUE(Eventually(10s, [&] { return plant.InFileThere(); }));
  for (int cycle = 1; cycle <= 3; ++cycle) plant.Cycle();
  EXPECT_FALSE(m.LinkReadError);
  EXPECT_NE(m.ErrorCodeValue, 1);
  EXPECT_TRUE(plant.ClientRunning());

  // Switching the link off sends STOP; the client ends by itself and takes its .IN along.
  const long long secondClient = plant.ClientProcessId();
  plant.op.answers = {MsgAnswer::Yes};
  mnuLinkStatus(plant.controller, plant.session.link());
  EXPECT_EQ(m.Link.LinkStatus, kOff);
  EXPECT_EQ(plant.Lines("KILN1.OUT").at(3), "\"STOP\"");
  EXPECT_TRUE(Eventually(10s, [&] { return !plant.processes.IsRunning(secondClient); }));
  EXPECT_FALSE(plant.InFileThere());
  if (plant.processes.IsRunning(secondClient)) kill(static_cast<pid_t>(secondClient), SIGKILL);
}

}  // namespace
}  // namespace kavro::test
