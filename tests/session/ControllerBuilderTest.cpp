// The one builder: a run on simulated time leaves the working folder as it found it and moves
// only with its clock, the steps after each cycle run in order (also after a cycle a command
// held back), and a controller the caller keeps gets its own ports back.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/RunTimeError.h"
#include "session/ControllerBuilder.h"
#include "session/SimulatedClock.h"
#include "support/DemoFiles.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

std::map<std::string, std::string> FolderBytes(const ScratchDir& dir) {
  std::map<std::string, std::string> bytes;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    const std::string name = entry.path().filename().string();
    bytes[name] = dir.Read(name);
  }
  return bytes;
}

TEST(ControllerBuilder, ASimulatedRunWritesNothingAndRunsItsAfterCycleStepsInOrder) {
  ScratchDir dir;
  // The demo switches its link on at start-up and its script holds the fuel.
  dir.Write("FLC.dat", DemoFile("FLC.dat"));
  dir.Write("FLC_Post.scp", DemoFile("FLC_Post.scp"));
  const auto before = FolderBytes(dir);

  SimulatedClock clock(DateTime{2026, 12, 31, 23, 59, 50});
  ControllerParts parts = ControllerParts::OnSimulatedTime(clock);
  std::vector<std::string> after;
  parts.afterEveryCycle.push_back([&](Controller& c) { after.push_back("record " + NowText(c)); });
  parts.afterEveryCycle.push_back([&](Controller&) { after.push_back("draw"); });
  BuiltController run(parts);
  ControllerSession& session = run.session();
  Controller& c = run.controller();

  ASSERT_TRUE(session.Start(dir.Path()));
  EXPECT_EQ(c.model.Link.LinkStatus, kOff);
  session.RunCycle();
  clock.Advance(c.model.FLCBlock.RunFrequency);
  // A cycle due while a command changes the controller runs, and is followed, as it ends.
  session.Submit(CommandKind::Changes, [&] {
    session.RunCycle();
    EXPECT_EQ(after.size(), 2u);
  });
  // What the operator changes has no trail on simulated time, and the mode is not saved.
  ASSERT_TRUE(session.RunCommand("mnuToDCS"));
  ASSERT_TRUE(session.RunCommand("mnuSlope"));

  EXPECT_EQ(after, (std::vector<std::string>{"record Dec-31-2026 23:59:50", "draw",
                                             "record Jan-01-2027 00:00:00", "draw"}));
  EXPECT_EQ(FolderBytes(dir), before);
}

TEST(ControllerBuilder, AControllerTheCallerKeepsHasItsOwnPortsBackAndKeepsThoseNotGiven) {
  FakeWorld world;
  Controller& c = world.controller;
  SimulatedClock clock(DateTime{2026, 12, 5, 6, 0, 0});
  {
    BuiltController run(c, ControllerParts::OnSimulatedTime(clock));
    EXPECT_EQ(c.ports.clock, static_cast<Clock*>(&clock));
    EXPECT_EQ(c.ports.processes, static_cast<ProcessStarter*>(&world.processes));
    // The questions still reach the world's operator, through the session.
    c.ports.op->MessageBox("Hello", "Kavro", MsgIcon::None, MsgButtons::OK);
    ASSERT_EQ(world.op.messages.size(), 1u);
  }
  EXPECT_EQ(c.ports.clock, static_cast<Clock*>(&world.clock));
  EXPECT_EQ(c.ports.events, static_cast<EventPump*>(&world.events));
  EXPECT_EQ(c.ports.timer, static_cast<CycleTimer*>(&world.timer));
  EXPECT_EQ(c.ports.op, static_cast<Operator*>(&world.op));
}

}  // namespace
}  // namespace kavro::test
