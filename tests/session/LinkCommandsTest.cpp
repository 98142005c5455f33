#include <gtest/gtest.h>

#include <cstdio>

#include "config/ConfigFile.h"
#include "config/RestartOption.h"
#include "display/StatusFrame.h"
#include "link/LinkFiles.h"
#include "session/LinkCommands.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

TEST(LinkCommands, SwitchOnWritesTagsStartsTheClientWithName1AndSkipsTheNextRead) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  m.Link.SkipNextRead = false;
  w.dir.Write("MyLink", "#!/bin/sh\n");

  mnuLinkStatus(w.controller, w.link);

  ASSERT_EQ(w.op.messages.size(), 1u);
  EXPECT_EQ(w.op.messages[0].text, "Link Status is OFF, Turn it ON?");
  EXPECT_EQ(w.op.messages[0].title, "Kavro");
  EXPECT_EQ(w.op.messages[0].icon, MsgIcon::Question);
  EXPECT_EQ(w.op.messages[0].buttons, MsgButtons::YesNo);
  ASSERT_EQ(w.processes.started.size(), 1u);
  EXPECT_EQ(w.processes.started[0].program, w.dir.File("MyLink"));  // trailing blank removed
  EXPECT_EQ(w.processes.started[0].arguments, std::vector<std::string>{"FLC1"});
  EXPECT_EQ(w.Lines("FLC1.Tag").size(), 43u);
  EXPECT_EQ(m.Link.LinkStatus, kOn);
  EXPECT_EQ(m.Link.LinkStatusSent, kOn);
  EXPECT_TRUE(m.Link.SkipNextRead);
  EXPECT_EQ(w.controller.window.status->lblLink.caption, "Link ON");
  EXPECT_EQ(w.controller.window.status->lblLink.backColour, PaletteColour(10));
  EXPECT_FALSE(m.CycleHold);
}

TEST(LinkCommands, SwitchOnStartsTheExeWhereOnlyThatExistsAndAnswerNoDoesNothing) {
  LinkTestWorld w;
  w.dir.Write("MyLink.exe", "");
  w.op.answers = {MsgAnswer::No};
  mnuLinkStatus(w.controller, w.link);
  EXPECT_TRUE(w.processes.started.empty());
  EXPECT_TRUE(w.Files() == std::vector<std::string>{"MyLink.exe"});

  mnuLinkStatus(w.controller, w.link);
  ASSERT_EQ(w.processes.started.size(), 1u);
  EXPECT_EQ(w.processes.started[0].program, w.dir.File("MyLink.exe"));
}

TEST(LinkCommands, ClientThatDoesNotStartIsNamedAndTheLinkStaysOff) {
  LinkTestWorld w;
  w.processes.failStart = true;
  mnuLinkStatus(w.controller, w.link);
  ASSERT_EQ(w.op.messages.size(), 2u);
  EXPECT_EQ(w.op.messages[1].text,
            "Unable to Start/Find Link Client Program - MyLink\r\nPlease check the Program Name "
            "Entered\r\nFolder searched: " +
                w.dir.Path());
  EXPECT_EQ(w.op.messages[1].icon, MsgIcon::Critical);
  EXPECT_EQ(w.op.messages[1].title, "Kavro");
  EXPECT_EQ(w.controller.model.Link.LinkStatus, kOff);
  EXPECT_NE(w.controller.window.status->lblLink.caption, "Link ON");
  EXPECT_FALSE(w.dir.Read("FLC1.Tag").empty());
  EXPECT_TRUE(w.dir.Read("FLC1.OUT").empty());
}

TEST(LinkCommands, NamesUnfitForAPathAreRefusedBeforeAnythingIsWrittenOrStarted) {
  const std::vector<std::string> bad = {"", "   ", "../x", "a/b", "a\\b", ".", " .. "};
  for (const bool programName : {false, true}) {
    for (const std::string& name : bad) {
      SCOPED_TRACE((programName ? "program " : "name1 ") + name);
      LinkTestWorld w;
      auto& m = w.controller.model;
      (programName ? m.Program_Interface : m.FLCBlock.Name1) = name;

      mnuLinkStatus(w.controller, w.link);

      ASSERT_EQ(w.op.messages.size(), 2u);
      const std::string expected = programName ? "Unusable Link Client Program Name - \"" + name +
                                                     "\"\r\nPlease check the Program Name Entered"
                                               : "Unusable Controller Name for Link Files - \"" +
                                                     name + "\"\r\nPlease check the Name Entered";
      EXPECT_EQ(w.op.messages[1].text, expected);
      EXPECT_EQ(w.op.messages[1].icon, MsgIcon::Critical);
      EXPECT_EQ(w.op.messages[1].title, "Kavro");
      EXPECT_EQ(m.Link.LinkStatus, kOff);
      EXPECT_TRUE(w.processes.started.empty());
      EXPECT_TRUE(w.Files().empty());
      EXPECT_TRUE(w.files.atomicWrites.empty());
    }
  }
}

TEST(LinkCommands, LinkFilesOfAnUnusableNameAreNeverTouched) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  w.dir.Write("victim.OUT", "keep");
  w.dir.Write("victim.IN", "keep");
  m.WorkDir = w.dir.File("plant");
  m.FLCBlock.Name1 = "../victim";

  DeleteStaleLinkOutput(w.controller);
  EXPECT_EQ(w.dir.Read("victim.OUT"), "keep");

  // Name1 edited while the link is on: reads and writes fail without touching a file.
  w.LinkOn();
  ReadLinkInput(w.controller);
  WriteLinkOutput(w.controller);
  EXPECT_TRUE(m.LinkReadError);
  EXPECT_TRUE(m.LinkWriteError);
  EXPECT_EQ(w.files.copies, 0);
  EXPECT_TRUE(w.files.atomicWrites.empty());
  EXPECT_EQ(w.Files(), (std::vector<std::string>{"victim.IN", "victim.OUT"}));

  m.WorkDir = w.dir.Path();
  m.FLCBlock.Name1 = "victim";
  DeleteStaleLinkOutput(w.controller);
  EXPECT_EQ(w.Files(), std::vector<std::string>{"victim.IN"});
}

// OK changes the option and writes only its line: FLC.dat as it is on disk, whatever its line
// ends, without the edits the operator has not saved. Cancel changes nothing and writes nothing.
TEST(LinkCommands, RestartOptionWritesOnlyItsLineAndCancelWritesNothing) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  const std::string saved = ConfigText(m, "12/7/2026");
  w.dir.Write("FLC.dat", saved);
  m.FLCBlock.Name1 = "UNSAVED";  // an edit not yet saved
  m.ChangesPending = true;
  w.op.answers = {MsgAnswer::OK, MsgAnswer::Cancel};

  mnuLinkRestart(w.controller);
  EXPECT_EQ(w.op.messages.at(0).text,
            "Link Auto ReStart Option = OFF\r\n Change Restart Option To ON");
  EXPECT_EQ(w.op.messages[0].buttons, MsgButtons::OKCancel);
  EXPECT_EQ(w.op.messages[0].icon, MsgIcon::Question);
  EXPECT_TRUE(m.RestartInterface);
  std::string expected = saved;
  const std::size_t at = expected.find("RESTART I/F: NO\r\n");
  ASSERT_NE(at, std::string::npos);
  expected.replace(at, 15, "RESTART I/F: YES");
  EXPECT_EQ(w.dir.Read("FLC.dat"), expected);
  EXPECT_TRUE(m.ChangesPending);

  const std::size_t writes = w.files.atomicWrites.size();
  mnuLinkRestart(w.controller);
  EXPECT_EQ(w.op.messages.at(1).text,
            "Link Auto ReStart Option = ON\r\n Change Restart Option To OFF");
  EXPECT_TRUE(m.RestartInterface);
  EXPECT_EQ(w.files.atomicWrites.size(), writes);
  EXPECT_EQ(w.dir.Read("FLC.dat"), expected);
  EXPECT_FALSE(m.CycleHold);

  // A file written elsewhere with LF line ends and without the line gets it before its first
  // block; with no FLC.dat at all the whole configuration is written.
  EXPECT_EQ(WithRestartOption("FLCVersion: 1\nx\nStart_FLC_Block:\nRESTART I/F: YES\n", false),
            "FLCVersion: 1\nx\nRESTART I/F: NO\nStart_FLC_Block:\nRESTART I/F: YES\n");
  std::remove(w.dir.File("FLC.dat").c_str());
  w.op.answers = {MsgAnswer::OK};
  mnuLinkRestart(w.controller);
  EXPECT_FALSE(m.RestartInterface);
  EXPECT_NE(w.dir.Read("FLC.dat").find("RESTART I/F: NO\r\nStart_FLC_Block:"), std::string::npos);
}

}  // namespace
}  // namespace kavro::test
