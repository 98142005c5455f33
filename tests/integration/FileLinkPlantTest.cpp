// The controller core against a real kavro-plantsim process: the file link closes the loop over
// the demo kiln, survives the death of its link client program and brings it back.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "link/FileLink.h"
#include "link/LinkInputAge.h"
#include "link/PosixProcessStarter.h"
#include "scripting/host/ScriptFile.h"
#include "session/ControllerBuilder.h"
#include "session/LinkCommands.h"
#include "support/Eventually.h"
#include "support/FakePorts.h"
#include "support/ForwardingFileSystem.h"
#include "support/KilnLoopClosed.h"
#include "support/PlantTimeCycle.h"
#include "support/TestPaths.h"

namespace kavro::test {
namespace {

// Plant seconds per real second; the controller's clock is a fake that the test moves on.
constexpr int kSpeed = 100;

using namespace std::chrono_literals;

// The real files, their ages told in plant time: the controller's fake clock and the simulated
// plant both run kSpeed times faster than real time, so an .IN a hung client left behind ages as
// fast as the plant.
class PlantTimeFileSystem final : public ForwardingFileSystem {
 public:
  std::optional<FileInfo> Stat(const std::string& path) override {
    auto info = real.Stat(path);
    if (info) info->ageSeconds *= kSpeed;
    return info;
  }
};

// The demo working folder (FLC.dat, plant.txt) with the simulator as its link client program,
// and a controller started in it as the program starts: defaults, FLC.dat, the link auto-start.
class DemoPlant {
 public:
  // idleSeconds: how long (real time) the simulator waits for a new .OUT before it ends.
  // beforeStart: what the test puts into the folder before the controller starts in it.
  explicit DemoPlant(int idleSeconds = 20,
                     const std::function<void(ScratchDir&)>& beforeStart = nullptr) {
    for (const char* name : {"FLC.dat", "plant.txt"}) {
      std::filesystem::copy_file(std::string(KAVRO_SOURCE_DIR) + "/demo/" + name, dir.File(name));
    }
    // Started by the controller as WorkDir/kavro-plantsim KILN1, running the plant faster.
    dir.Write("kavro-plantsim", "#!/bin/sh\nexec '" + std::string(KAVRO_BINARY_DIR) +
                                    "/tools/kavro-plantsim/kavro-plantsim' --speed " +
                                    std::to_string(kSpeed) + " --idle " +
                                    std::to_string(idleSeconds) + " \"$@\"\n");
    chmod(dir.File("kavro-plantsim").c_str(), 0755);
    dir.Write("KILN1.OUT", "left from an earlier run");

    if (beforeStart) beforeStart(dir);
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

  ControllerParts Parts() {
    ControllerParts parts = FakeParts(op, clock, events, timer, processes, clipboard);
    parts.files = &files;
    return parts;
  }

  void Cycle() { CycleInPlantTime(session, controller, clock, kSpeed); }

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
  PlantTimeFileSystem files;
  FakeOperator op;
  FakeClock clock;
  FakeEventPump events{&clock};
  FakeCycleTimer timer;
  PosixProcessStarter processes;
  FakeClipboard clipboard;
  Controller controller;
  BuiltController built{controller, Parts()};
  ControllerSession& session = built.session();
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
  ExpectKilnLoopClosed(temperature, m);
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

TEST(FileLinkWithPlantSimulator, AHungClientIsSeenWithinTheFreshLimitAndStartedAgain) {
  DemoPlant plant;
  ControllerModel& m = plant.controller.model;
  ASSERT_EQ(m.Link.LinkStatus, kOn);
  const long long hung = plant.ClientProcessId();
  ASSERT_TRUE(Eventually(10s, [&] { return plant.InFileThere(); }));
  for (int cycle = 1; cycle <= 4; ++cycle) plant.Cycle();
  ASSERT_FALSE(m.LinkReadError);

  // The client hangs: alive, but its .IN no longer changes.
  ASSERT_EQ(kill(static_cast<pid_t>(hung), SIGSTOP), 0);
  const double limit = FreshInputLimitSeconds(m);  // 30 s for the demo's 5 s link frequency
  int cycles = 0;
  while (!m.LinkReadError && cycles < 10) {
    plant.Cycle();
    ++cycles;
  }
  ASSERT_TRUE(m.LinkReadError);
  EXPECT_LE(cycles * m.FLCBlock.RunFrequency, limit + 2 * m.FLCBlock.RunFrequency)
      << "seen within the limit";
  EXPECT_EQ(m.ErrorCodeValue, 1);
  EXPECT_EQ(plant.Lines("KILN1.OUT").at(6), "1") << "error code 1 to the DCS";
  EXPECT_EQ(plant.Lines("KILN1.OUT").at(7), "X") << "no move from stale values";

  // Hung for three times the limit: ended and started again; the loop comes back.
  ASSERT_TRUE(Eventually(30s, [&] {
    plant.Cycle();
    return plant.ClientProcessId() != hung;
  }));
  EXPECT_FALSE(plant.processes.IsRunning(hung));
  ASSERT_TRUE(Eventually(30s, [&] {
    plant.Cycle();
    return !m.LinkReadError;
  }));
  EXPECT_NE(m.ErrorCodeValue, 1);
  const auto faults = EventTextsOfKind(plant.controller.events, EventKind::LinkFault);
  const auto told = [&](const std::string& start) {
    return std::any_of(faults.begin(), faults.end(),
                       [&](const std::string& t) { return t.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(told("Stale link input: KILN1.IN"));
  EXPECT_TRUE(told("Link client program (process " + std::to_string(hung) + ") has not written"));
  EXPECT_TRUE(told("Link Client Program Ended - Restarted kavro-plantsim KILN1"));
}

TEST(FileLinkWithPlantSimulator, ACycleErrorEveryCycleStopsTheCycleButNotTheLinkSupervision) {
  // A post-process script that fails every cycle, and a client whose patience for a new .OUT
  // (1 s real time, 100 s of plant time) runs out long before the error ends.
  DemoPlant plant(1, [](ScratchDir& dir) {
    // Loading runs the script once to check it; every later run fails.
    WriteScriptFile(SystemFileSystem(), dir.Path(), ScriptKind::Post,
                    "runs = runs + 1\r\nIf runs > 1 Then x = 1 / 0", true,
                    DateTime{2026, 12, 9, 12, 0, 0});
  });
  ControllerModel& m = plant.controller.model;
  ASSERT_EQ(m.Link.LinkStatus, kOn);
  ASSERT_TRUE(m.Scripts.PostScriptOn);
  const long long first = plant.ClientProcessId();
  ASSERT_TRUE(Eventually(10s, [&] { return plant.InFileThere(); }));

  // No cycle writes an .OUT, so the client gives up; the supervision starts it again.
  int failing = 0;
  ASSERT_TRUE(Eventually(30s, [&] {
    plant.Cycle();
    ++failing;
    return plant.ClientProcessId() != first && plant.ClientRunning();
  })) << "the client that ran out of patience is started again";
  EXPECT_FALSE(plant.processes.IsRunning(first));
  for (int cycle = 1; cycle <= 3; ++cycle, ++failing) plant.Cycle();
  EXPECT_NE(plant.controller.events.Notice(), nullptr) << "the notice shows the error meanwhile";

  // The script is switched off: the error ends, and the loop writes again.
  plant.session.RunCommand("mnuPostProcessExe");
  ASSERT_FALSE(m.Scripts.PostScriptOn);
  ASSERT_TRUE(Eventually(30s, [&] {
    plant.Cycle();
    return !m.LinkReadError && !m.LinkWriteError;
  }));
  const auto errors = EventTextsOfKind(plant.controller.events, EventKind::CycleError);
  ASSERT_EQ(errors.size(), 2u) << "one entry when it began, one when it ended";
  EXPECT_EQ(errors[0].substr(0, errors[0].find('\r')), "Error Number = 11");
  EXPECT_EQ(errors[1].rfind("Error ended after " + std::to_string(failing) + " cycles\r\n", 0),
            0u)
      << errors[1];
  const auto faults = EventTextsOfKind(plant.controller.events, EventKind::LinkFault);
  EXPECT_NE(std::find(faults.begin(), faults.end(),
                      "Link Client Program Ended - Restarted kavro-plantsim KILN1"),
            faults.end());
}

}  // namespace
}  // namespace kavro::test
