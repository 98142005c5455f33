// The link never takes stale values for live ones: an .IN left behind by a dead or hung client
// is a read error, an oversized one is not read, a hung client is ended and started again, and
// the DCS gets no output move from a cycle that did not read the plant.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "engine/ControlCycle.h"
#include "link/LinkInputAge.h"
#include "link/LinkTags.h"
#include "session/ControllerBuilder.h"
#include "session/LinkCommands.h"
#include "support/EngineTestModel.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

// A complete .IN file for the default tags, as the link client writes it.
std::string InFile() {
  std::string text = "\"FLC1\"\r\n\"2026/12/05\"\r\n\"12:00:00\"\r\n1\r\n1\r\n20\r\n";
  for (int n = 0; n < LinkReadCount - 3; ++n) text += std::to_string(n) + ".5\r\n";
  return text;
}

// Makes a file of the scratch folder ageSeconds old.
void Age(LinkTestWorld& w, const std::string& name, double ageSeconds) {
  const auto age = std::chrono::duration_cast<fs::file_time_type::duration>(
      std::chrono::duration<double>(ageSeconds));
  fs::last_write_time(w.dir.File(name), fs::file_time_type::clock::now() - age);
}

// Writes .IN and makes it ageSeconds old.
void WriteIn(LinkTestWorld& w, double ageSeconds) {
  w.dir.Write("FLC1.IN", InFile());
  Age(w, "FLC1.IN", ageSeconds);
}

// The link was switched on ageSeconds ago: its .Tag file, written then, is that old.
void SwitchedOnAgo(LinkTestWorld& w, double ageSeconds) {
  Age(w, "FLC1.Tag", ageSeconds);
}

std::vector<std::string> EventTexts(const Controller& c) {
  std::vector<std::string> texts;
  for (const auto& e : c.events.Entries()) texts.push_back(e.text);
  return texts;
}

TEST(FreshData, TheLimitIsThreeLinkPeriodsAndAtLeastThirtySeconds) {
  ControllerModel m;
  m.FLCBlock.LinkFrequency = 5;
  EXPECT_EQ(FreshInputLimitSeconds(m), 30.0);
  m.FLCBlock.LinkFrequency = 20;
  EXPECT_EQ(FreshInputLimitSeconds(m), 60.0);
}

TEST(FreshData, AnInFileOlderThanTheLimitIsAReadErrorNotedOnceUntilItIsFreshAgain) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  m.FLCBlock.LinkFrequency = 20;  // limit 60 s
  ASSERT_TRUE(SwitchLinkOn(w.controller, w.link));
  SwitchedOnAgo(w, 120);

  WriteIn(w, 58);  // inside the limit, by a margin for the test's own run time
  w.link.Read(w.controller);
  EXPECT_FALSE(m.LinkReadError);
  EXPECT_EQ(w.files.copies, 1);

  WriteIn(w, 62);  // just past it
  m.PVarIn[1].PVIN = -1;
  w.link.Read(w.controller);
  EXPECT_TRUE(m.LinkReadError);
  EXPECT_EQ(w.files.copies, 1);           // not even copied
  EXPECT_EQ(m.PVarIn[1].PVIN, -1.0f);     // nothing of it taken
  w.link.Read(w.controller);              // still stale: no second note
  WriteIn(w, 0);
  w.clock.Advance(25);
  w.link.Read(w.controller);
  EXPECT_FALSE(m.LinkReadError);

  auto texts = EventTexts(w.controller);
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0], "Link switched ON by the operator");
  texts.erase(texts.begin());
  EXPECT_EQ(texts[0].rfind("Stale link input: FLC1.IN was last written 1 min 2 s ago (limit 1 min 0 s)", 0), 0u)
      << texts[0];
  EXPECT_EQ(texts[1], "Link read error began");
  EXPECT_EQ(texts[2], "Link read error ended after 25 s");
}

TEST(FreshData, AnInFileWrittenBeforeTheSwitchOnIsNotFreshHoweverYoung) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  WriteIn(w, 2);  // left by the last run's client a moment before the switch-on
  ASSERT_TRUE(SwitchLinkOn(w.controller, w.link));
  m.FLCBlock.RunFrequency = 30;
  w.link.Read(w.controller);
  w.link.Read(w.controller);
  EXPECT_TRUE(m.LinkReadError);
  EXPECT_EQ(w.files.copies, 0);
  EXPECT_EQ(m.FLCBlock.RunFrequency, 30) << "nothing of it taken";
  EXPECT_EQ(EventTextsOfKind(w.controller.events, EventKind::LinkFault),
            (std::vector<std::string>{"Link input FLC1.IN was written before the link was switched "
                                      "on; its values are not taken",
                                      "Link read error began"}));

  // The client writes its first .IN after the switch-on.
  WriteIn(w, 0);
  w.link.Read(w.controller);
  EXPECT_FALSE(m.LinkReadError);
  EXPECT_EQ(m.FLCBlock.RunFrequency, 20);
}

TEST(FreshData, AnOversizedInFileIsAReadErrorWithoutBeingCopied) {
  LinkTestWorld w;
  ASSERT_TRUE(SwitchLinkOn(w.controller, w.link));
  w.dir.Write("FLC1.IN", InFile() + std::string(kMaxLinkInputBytes, ' '));
  w.link.Read(w.controller);
  EXPECT_TRUE(w.controller.model.LinkReadError);
  EXPECT_EQ(w.files.copies, 0);
  EXPECT_EQ(EventTextsOfKind(w.controller.events, EventKind::LinkFault).front(),
            "Link input FLC1.IN holds " + std::to_string(InFile().size() + kMaxLinkInputBytes) +
                " bytes, more than a link input can be; it is not read");
}

TEST(FreshData, AHungClientIsAskedToEndThenKilledThenStartedAgain) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  m.FLCBlock.LinkFrequency = 5;  // limit 30 s, hung after 90 s
  m.RestartInterface = true;
  ASSERT_TRUE(SwitchLinkOn(w.controller, w.link));
  const long long first = w.ClientProcessId();
  w.processes.ignoreTerm = true;  // stopped hard: only a kill ends it

  WriteIn(w, 89);
  w.clock.Advance(100);
  w.link.Read(w.controller);
  w.link.Supervise(w.controller);
  EXPECT_TRUE(w.processes.terminations.empty());  // stale, but not yet hung

  WriteIn(w, 91);
  w.link.Read(w.controller);
  w.link.Supervise(w.controller);
  ASSERT_EQ(w.processes.terminations.size(), 1u);
  EXPECT_EQ(w.processes.terminations[0].processId, first);
  EXPECT_FALSE(w.processes.terminations[0].force);

  w.clock.Advance(4);
  w.link.Supervise(w.controller);
  EXPECT_EQ(w.processes.terminations.size(), 1u);  // its 5 s to end are not over
  w.clock.Advance(1);
  w.link.Supervise(w.controller);
  ASSERT_EQ(w.processes.terminations.size(), 2u);
  EXPECT_TRUE(w.processes.terminations[1].force);
  w.link.Supervise(w.controller);
  ASSERT_EQ(w.processes.started.size(), 2u);  // started again
  EXPECT_NE(w.ClientProcessId(), first);

  // The new client gets its own time before the old .IN can call it hung.
  w.clock.Advance(60);
  w.link.Read(w.controller);
  w.link.Supervise(w.controller);
  EXPECT_EQ(w.processes.terminations.size(), 2u);
}

TEST(FreshData, AHungClientIsLeftAloneWithoutTheRestartOption) {
  LinkTestWorld w;
  w.controller.model.RestartInterface = false;
  ASSERT_TRUE(SwitchLinkOn(w.controller, w.link));
  WriteIn(w, 500);
  w.clock.Advance(600);
  w.link.Read(w.controller);
  w.link.Supervise(w.controller);
  EXPECT_TRUE(w.controller.model.LinkReadError);
  EXPECT_TRUE(w.processes.terminations.empty());
}

TEST(FreshData, NoOutputMoveGoesOutFromACycleThatDidNotReadThePlant) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  StartController(w.controller);
  m.WorkDir = w.dir.Path();
  m.Program_Interface = "MyLink";
  m.ToFileMode = false;
  BuiltController built(w.controller);
  ControllerSession& session = built.session();
  // Input 1 hot enough to fire rule 1, which moves output 1 up by 4.
  m.PVarIn[1].PVarName = "TI101";
  SetZone(m.PVarIn[1].Zone[1], "Hot", {50, 100, 100, 100}, {0, 1, 1, 1});
  m.PVarOut[1].PVarName = "FC101";
  SetZone(m.PVarOut[1].Zone[1], "Up", {4, 5, 6, 7}, {1, 1, 1, 0});
  SetRule(w.controller, 1, "MIN", {{1, "Hot"}, {7, "Up"}});
  ASSERT_TRUE(SwitchLinkOn(w.controller, session.link()));
  ASSERT_TRUE(m.Link.SkipNextRead);
  // The values stored at the last save, not the plant's.
  m.PVarIn[1].PVIN = 75;
  m.PVarOut[1].PVIN = 40;
  auto outputs = [&] {
    const auto lines = w.Lines("FLC1.OUT");
    return std::vector<std::string>(lines.end() - 2, lines.end());
  };

  // The first cycle after the switch-on skips its read: watchdog and code, but no moves.
  session.cycleSteps().readLink = nullptr;  // the read must not be what decides here
  Timer1Tick(w.controller, session.cycleSteps());
  ASSERT_FALSE(w.Lines("FLC1.OUT").empty());
  EXPECT_EQ(outputs(), (std::vector<std::string>{"X", "X"}));

  // A cycle whose read failed sends none either.
  m.Link.SkipNextRead = false;
  session.cycleSteps().readLink = [](Controller& c) { c.model.LinkReadError = true; };
  Timer1Tick(w.controller, session.cycleSteps());
  EXPECT_EQ(w.Lines("FLC1.OUT")[6], "1");  // error code 1
  EXPECT_EQ(outputs()[0], "X");

  // A cycle that read the plant sends its move.
  session.cycleSteps().readLink = [](Controller& c) { c.model.LinkReadError = false; };
  Timer1Tick(w.controller, session.cycleSteps());
  EXPECT_EQ(outputs()[0], m.PVarOut[1].ValueOut);
  EXPECT_NE(outputs()[0], "X");
}

}  // namespace
}  // namespace kavro::test
