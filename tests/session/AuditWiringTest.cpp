// The session's one audit trail: the operator's menu commands that change the running controller
// leave one line each, start-up's own settings leave none, and start-up lists what the readiness
// check finds in the configuration it read.
#include <gtest/gtest.h>

#include "config/ConfigFixtures.h"
#include "edit/EditWorld.h"
#include "session/ControllerBuilder.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

SessionOptions RecordingTo(FakeAuditSink& sink) {
  SessionOptions options = SessionOptions::ForReplay();
  options.auditSink = &sink;
  return options;
}

bool LogMentions(const Controller& c, const std::string& text) {
  for (const auto& e : c.events.Entries()) {
    if (e.text.find(text) != std::string::npos) return true;
  }
  return false;
}

TEST(AuditWiringTest, MenuCommandsThatChangeTheControllerLeaveOneLineEachAndStartUpNone) {
  ScratchDir dir;
  dir.Write("FLC.dat", WorkedExampleFile());
  FakeWorld world;
  Controller& c = world.controller;
  FakeAuditSink sink;
  BuiltController built(c, SessionParts(RecordingTo(sink)));
  ControllerSession& session = built.session();
  ASSERT_TRUE(session.Start(dir.Path()));
  EXPECT_TRUE(sink.lines.empty()) << "start-up sets the mode itself, the operator changed nothing";

  session.RunCommand("mnuToDCS");
  session.RunCommand("mnuToDCS");  // already so: no change, no line
  session.RunCommand("mnuSlope");
  session.RunCommand("mnuToFile");
  session.RunCommand("mnuSave");
  EXPECT_EQ(AuditChanges(sink),
            (std::vector<std::string>{"Control mode: To File -> To DCS",
                                      "Slope correction: OFF -> ON",
                                      "Control mode: To DCS -> To File",
                                      "Configuration saved:  -> " + dir.File("FLC.dat")}));
  for (const std::string& path : sink.paths) EXPECT_EQ(path, dir.File("kavro-audit.log"));

  // A save that could not write records nothing: the trail says only what happened.
  sink.lines.clear();
  c.model.WorkDir = dir.File("no-such-folder");
  session.RunCommand("mnuSave");
  EXPECT_TRUE(sink.lines.empty());
}

TEST(AuditWiringTest, StartUpNotesTheReadinessProblemsOfTheConfigurationItRead) {
  std::string bytes = WorkedExampleFile();
  const std::string firstRule = "Index: 1\r\nLOW\r\n";
  ASSERT_NE(bytes.find(firstRule), std::string::npos);
  bytes.replace(bytes.find(firstRule), firstRule.size(), "Index: 1\r\nLOWW\r\n");

  ScratchDir dir;
  dir.Write("FLC.dat", bytes);
  FakeWorld world;
  FakeAuditSink sink;
  BuiltController built(world.controller, SessionParts(RecordingTo(sink)));
  ControllerSession& session = built.session();
  ASSERT_TRUE(session.Start(dir.Path()));  // the reader lets the misspelt term pass
  EXPECT_TRUE(LogMentions(world.controller, "LOWW"));

  // Without a configuration there is nothing the engineer wrote to check.
  ScratchDir empty;
  FakeWorld bare;
  BuiltController plainBuilt(bare.controller, SessionParts(RecordingTo(sink)));
  ControllerSession& plain = plainBuilt.session();
  ASSERT_TRUE(plain.Start(empty.Path()));
  for (const auto& e : bare.controller.events.Entries()) {
    EXPECT_NE(e.kind, EventKind::Configuration) << e.text;
  }
}

}  // namespace
}  // namespace kavro::test
