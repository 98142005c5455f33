#include <gtest/gtest.h>

#include <regex>

#include "edit/EditWorld.h"

namespace kavro::test {
namespace {

TEST(AuditTrailTest, ALineIsFiveTabSeparatedFieldsThatNoValueCanSplit) {
  EXPECT_EQ(AuditLine("2026-12-07T03:04:05+01:00", "jdoe", "TEMP Units", "", "degC"),
            "2026-12-07T03:04:05+01:00\tjdoe\tTEMP Units\t\tdegC\n");
  EXPECT_EQ(AuditLine("t", "u", "TEMP DCSTagPV", "A\tB", "C\r\nD"),
            "t\tu\tTEMP DCSTagPV\tA B\tC  D\n");
}

TEST(AuditTrailTest, RecordAppendsOneLineToTheWorkingFoldersTrailOnlyForAChange) {
  EditWorld w;
  w.audit.Record("RunFrequency", "30", "40");
  w.audit.Record("Name1", "FLC1", "FLC1");
  ASSERT_EQ(w.sink.lines.size(), 1u);
  EXPECT_EQ(w.sink.lines[0], "2026-12-07T03:04:05+01:00\tjdoe\tRunFrequency\t30\t40\n");
  EXPECT_EQ(w.sink.paths[0], w.dir.File("kavro-audit.log"));
}

// A trail that cannot be written is told once in the event log; the change itself goes on, and
// lines are written again once the trail can be.
TEST(AuditTrailTest, AFailingAppendIsNotedOnceAndControlGoesOn) {
  EditWorld w;
  w.sink.fail = true;
  w.audit.Record("RunFrequency", "30", "40");
  w.audit.Record("RunFrequency", "40", "50");
  EXPECT_EQ(w.sink.appendCalls, 2);
  const auto& entries = w.controller().events.Entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].text,
            "The audit trail cannot be written: " + w.dir.File("kavro-audit.log") +
                "\r\nChanges are applied but not recorded until it can be written again");
  EXPECT_FALSE(w.controller().events.NoticeVisible());
  w.sink.fail = false;
  w.audit.Record("RunFrequency", "50", "60");
  EXPECT_EQ(w.sink.lines.size(), 1u);
}

TEST(AuditTrailTest, TheSystemSinkOnlyAppendsAndStampsLocalTimeWithItsOffset) {
  ScratchDir dir;
  const std::string path = dir.File("kavro-audit.log");
  dir.Write("kavro-audit.log", "an earlier line\n");
  const Ports ports;
  SystemAuditSink sink(ports.files);
  ASSERT_TRUE(sink.Append(path, "first\n"));
  ASSERT_TRUE(sink.Append(path, "second\n"));
  EXPECT_EQ(dir.Read("kavro-audit.log"), "an earlier line\nfirst\nsecond\n");
  EXPECT_FALSE(sink.Append(dir.File("no-such-folder/kavro-audit.log"), "lost\n"));

  EXPECT_TRUE(std::regex_match(sink.Timestamp(),
                               std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)")))
      << sink.Timestamp();
  EXPECT_FALSE(sink.LoginName().empty());
}

TEST(AuditTrailTest, TheViewReadsTheLinesNewestFirst) {
  ScratchDir dir;
  const std::string path = dir.File("kavro-audit.log");
  EXPECT_TRUE(AuditLinesNewestFirst(SystemFileSystem(), path).empty());
  dir.Write("kavro-audit.log", "one\ntwo\r\nthree\n");
  EXPECT_EQ(AuditLinesNewestFirst(SystemFileSystem(), path),
            (std::vector<std::string>{"three", "two", "one"}));
}

// A real controller's change goes through the real sink into WorkDir/kavro-audit.log.
TEST(AuditTrailTest, AChangeReachesTheFileInTheWorkingFolder) {
  EditWorld w;
  SystemAuditSink sink(w.controller().ports.files);
  AuditTrail trail(w.controller(), sink);
  trail.Record("R7 operator", "MIN", "PROD");
  const std::vector<std::string> lines =
      AuditLinesNewestFirst(SystemFileSystem(), w.dir.File("kavro-audit.log"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(AuditChange(lines[0] + "\n"), "R7 operator: MIN -> PROD");
}

}  // namespace
}  // namespace kavro::test
