// The event log tells an operator coming to the screen what happened, in order, and the events
// file in WorkDir keeps the same story line by line.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "config/ConfigFile.h"
#include "session/ControllerBuilder.h"
#include "session/LinkCommands.h"
#include "session/ModeCommands.h"
#include "session/SaveCommands.h"
#include "support/FakePorts.h"
#include "support/LinkTestWorld.h"
#include "support/TempFiles.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

void AgeFile(const std::string& path, double seconds) {
  const auto age = std::chrono::duration_cast<fs::file_time_type::duration>(
      std::chrono::duration<double>(seconds));
  fs::last_write_time(path, fs::file_time_type::clock::now() - age);
}

TEST(EventStory, AScriptedSequenceOfFaultsIsToldInOrderAndKeptInTheEventsFile) {
  LinkTestWorld w;
  Controller& c = w.controller;
  BuiltController built(c);
  ControllerSession& session = built.session();
  ASSERT_EQ(session.ClaimWorkDir(w.dir.Path()), std::nullopt);
  ASSERT_TRUE(session.Start(w.dir.Path()));  // no FLC.dat: defaults
  c.model.FLCBlock.Name1 = "FLC1";
  c.model.Program_Interface = "MyLink";
  c.model.FLCBlock.LinkFrequency = 5;

  session.commands()["mnuToDCS"](c);
  ASSERT_TRUE(SwitchLinkOn(c, session.link()));
  w.dir.Write("FLC1.IN", "\"FLC1\"\r\n");
  AgeFile(w.dir.File("FLC1.IN"), 45);
  session.cycleSteps().readLink(c);  // stale
  w.clock.Advance(70);
  w.dir.Write("FLC1.IN", "\"FLC1\"\r\n");  // fresh but short: still a read error
  session.cycleSteps().readLink(c);
  SwitchLinkOff(c, session.link());
  mnuSave(c);

  std::vector<std::string> told;
  for (const auto& e : c.events.Entries()) {
    told.push_back(std::string(EventKindText(e.kind)) + ": " + e.text.substr(0, e.text.find(" (")));
  }
  const std::vector<std::string> expected = {
      "Start-up: Start-up: no FLC.dat in " + w.dir.Path() +
          ", the controller starts on its defaults",
      "Control: Control mode changed to To DCS",
      "Link: Link switched ON by the operator",
      "Link fault: Stale link input: FLC1.IN was last written 45 s ago",
      "Link fault: Link read error began",
      "Link: Link switched OFF by the operator",
      "Configuration: Configuration saved to " + w.dir.File("FLC.dat"),
  };
  EXPECT_EQ(told, expected);

  // The file holds one whole line per event, in the same order.
  const std::string file = FileBytes(w.dir.File(kEventsFileName));
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = file.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(file.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), expected.size());
  EXPECT_NE(lines[3].find("\tLink fault\tFLC1\tStale link input: FLC1.IN"), std::string::npos)
      << lines[3];
}

TEST(EventStory, ASecondControllerInTheFolderIsRefusedBeforeItTouchesAnyFile) {
  FakeWorld first;
  ScratchDir dir;
  dir.Write("FLC1.OUT", "the first controller's output");
  BuiltController runningBuilt(first.controller);
  ControllerSession& running = runningBuilt.session();
  ASSERT_EQ(running.ClaimWorkDir(dir.Path()), std::nullopt);

  auto snapshot = [&] {
    std::vector<std::pair<std::string, fs::file_time_type>> files;
    for (const auto& e : fs::directory_iterator(dir.Path())) {
      files.emplace_back(e.path().filename().string(), e.last_write_time());
    }
    std::sort(files.begin(), files.end());
    return files;
  };
  const auto before = snapshot();
  FakeWorld second;
  BuiltController refusedBuilt(second.controller);
  ControllerSession& refused = refusedBuilt.session();
  const auto message = refused.ClaimWorkDir(dir.Path());
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(*message, "Another Kavro controller is already running in this folder (process " +
                          std::to_string(::getpid()) + ")");
  EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace kavro::test
