#include <gtest/gtest.h>

#include "link/LinkClient.h"
#include "session/ControllerBuilder.h"
#include "session/LinkCommands.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

// The link switched on by the operator, with the auto-restart option set.
void SwitchedOn(LinkTestWorld& w) {
  w.controller.model.RestartInterface = true;
  ASSERT_TRUE(SwitchLinkOn(w.controller, w.link));
  ASSERT_EQ(w.processes.started.size(), 1u);
}

// Every link client program started so far ends.
void ClientEnds(LinkTestWorld& w) {
  for (auto& [id, running] : w.processes.running) running = false;
}

TEST(LinkAutoRestart, EndedClientIsStartedAgainAtMostOncePerMinuteAndNoted) {
  LinkTestWorld w;
  // The cycle's link write and supervision as the session wires them.
  BuiltController built(w.controller);
  ControllerSession& session = built.session();
  CycleSteps& steps = session.cycleSteps();
  const auto writeAndSupervise = [&] {
    steps.writeLink(w.controller);
    steps.superviseLink(w.controller);
  };
  w.controller.model.RestartInterface = true;
  ASSERT_TRUE(SwitchLinkOn(w.controller, session.link()));

  writeAndSupervise();  // still running: nothing to do
  EXPECT_EQ(w.processes.started.size(), 1u);
  EXPECT_TRUE(EventTextsOfKind(w.controller.events, EventKind::LinkFault).empty());

  ClientEnds(w);
  w.dir.Write("FLC1.Tag", "");
  writeAndSupervise();
  ASSERT_EQ(w.processes.started.size(), 2u);
  EXPECT_EQ(w.processes.started[1].program, w.dir.File("MyLink"));
  EXPECT_EQ(w.processes.started[1].arguments, std::vector<std::string>{"FLC1"});
  EXPECT_EQ(w.Lines("FLC1.Tag").size(), 43u);  // the tag list is written again first
  ASSERT_EQ(w.controller.events.Entries().size(), 2u);  // after "Link switched ON by ..."
  EXPECT_EQ(w.controller.events.Entries()[1].text,
            "Link Client Program Ended - Restarted MyLink FLC1");
  EXPECT_EQ(w.controller.events.Entries()[1].when, "Dec-05-2026 12:00:00");
  EXPECT_FALSE(w.controller.events.NoticeVisible());  // noted, not pushed at the operator

  ClientEnds(w);
  w.clock.Advance(59);
  writeAndSupervise();
  EXPECT_EQ(w.processes.started.size(), 2u);
  w.clock.Advance(1);
  writeAndSupervise();
  EXPECT_EQ(w.processes.started.size(), 3u);

  // A failed attempt is noted too, and the next one waits its minute.
  ClientEnds(w);
  w.processes.failStart = true;
  w.clock.Advance(60);
  writeAndSupervise();
  EXPECT_EQ(w.controller.events.Entries().back().text,
            "Link Client Program Ended - Unable to Start/Find Link Client Program - "
            "MyLink\r\nPlease check the Program Name Entered\r\nFolder searched: " +
                w.dir.Path());
  EXPECT_TRUE(w.controller.events.NoticeVisible());  // the plant has lost its link: shown
  EXPECT_EQ(w.controller.model.Link.LinkStatus, kOn);
  EXPECT_TRUE(w.op.messages.empty());
}

TEST(LinkAutoRestart, NothingIsRestartedWithoutTheOptionOrWithTheLinkOff) {
  LinkTestWorld w;
  SwitchedOn(w);
  w.controller.model.RestartInterface = false;
  ClientEnds(w);
  w.link.Supervise(w.controller);
  EXPECT_EQ(w.processes.started.size(), 1u);

  w.controller.model.RestartInterface = true;
  SwitchLinkOff(w.controller, w.link);
  w.link.Supervise(w.controller);
  EXPECT_EQ(w.processes.started.size(), 1u);
}

TEST(LinkAutoRestart, StartUpSwitchesTheFileLinkOnWithoutAskingWhenTheOptionIsSet) {
  struct Case {
    bool option;
    const char* program;
    bool starts;
  };
  for (const Case& c : {Case{true, "MyLink", true}, Case{false, "MyLink", false},
                        Case{true, "  ", false}}) {
    SCOPED_TRACE(c.program);
    LinkTestWorld w;
    w.controller.model.RestartInterface = c.option;
    w.controller.model.Program_Interface = c.program;
    w.dir.Write("FLC1.OUT", "stale");
    BuiltController built(w.controller);
    ControllerSession& session = built.session();
    StartupSteps& steps = session.startupSteps();
    steps.deleteStaleLinkOutput(w.controller);
    steps.autoStartLink(w.controller);
    EXPECT_TRUE(w.dir.Read("FLC1.OUT").empty());
    EXPECT_EQ(w.processes.started.size(), c.starts ? 1u : 0u);
    EXPECT_EQ(w.controller.model.Link.LinkStatus, c.starts ? kOn : kOff);
    EXPECT_TRUE(w.op.messages.empty());
  }
}

}  // namespace
}  // namespace kavro::test
