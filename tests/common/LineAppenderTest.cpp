#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/LineAppender.h"
#include "support/FakePorts.h"
#include "support/RecordingFileCalls.h"
#include "support/TempFiles.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

TEST(LineAppenderTest, AppendsWholeLinesAndRotatesAtItsLimit) {
  const fs::path dir = fs::temp_directory_path() / ("kavro-append-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "events.log", std::ios::binary) << "kept from before\n";
  LineAppender log((dir / "events.log").string(), 40);
  EXPECT_TRUE(log.Append("first line"));
  EXPECT_EQ(FileBytes(dir / "events.log"), "kept from before\nfirst line\n");
  // The next line would pass 40 bytes: the file moves to .1 whole and a new one begins.
  EXPECT_TRUE(log.Append("second, longer line"));
  EXPECT_EQ(FileBytes(dir / "events.log.1"), "kept from before\nfirst line\n");
  EXPECT_EQ(FileBytes(dir / "events.log"), "second, longer line\n");
  fs::remove_all(dir);
}

TEST(LineAppenderTest, AFailedAppendSaysWhyAndTheNextOneTriesAgain) {
  const fs::path dir =
      fs::temp_directory_path() / ("kavro-append-ro-" + std::to_string(::getpid()));
  LineAppender log((dir / "events.log").string());
  std::string error;
  EXPECT_FALSE(log.Append("lost", &error));  // the folder does not exist yet
  EXPECT_EQ(error.rfind("Cannot open " + (dir / "events.log").string(), 0), 0u) << error;
  fs::create_directories(dir);
  EXPECT_TRUE(log.Append("kept"));
  EXPECT_EQ(FileBytes(dir / "events.log"), "kept\n");
  fs::remove_all(dir);
}

// The event log (rotating at a limit it is about to pass) and the audit trail (each line
// flushed to the disk), with each call failing in turn, by an error or by a disk that fills up
// in the middle of the line: the log holds the line whole or not at all, and the next line,
// written when the disk has room again, stands on a line of its own.
TEST(LineAppenderTest, AFaultAtAnyStepLeavesNoTornLineForTheNextToRunInto) {
  const std::string before = "kept from before\n";
  const std::string line(60, 'x');
  for (const bool durable : {false, true}) {
    for (const auto fault :
         {RecordingFileCalls::Fault::Error, RecordingFileCalls::Fault::DiskFull}) {
      for (int failAt = 1;; ++failAt) {
        const std::string trace =
            std::string(durable ? "audit" : "events") +
            (fault == RecordingFileCalls::Fault::Error ? ", error" : ", full") + " at call " +
            std::to_string(failAt);
        SCOPED_TRACE(trace);
        ScratchDir dir;
        dir.Write("events.log", before);
        const std::uintmax_t limit = durable ? 0 : 70;  // rotates before this line
        RecordingFileCalls calls(failAt, fault);
        std::string error;
        const bool ok =
            LineAppender(dir.File("events.log"), limit, durable, calls).Append(line, &error);
        const auto whole = [&] { return dir.Read("events.log.1") + dir.Read("events.log"); };
        const std::string after = whole();
        // A failed close may come after the whole line went out: a line too many, never half.
        EXPECT_TRUE(after == before + line + "\n" || (!ok && after == before)) << error;
        if (!calls.Fired()) {
          EXPECT_TRUE(ok);
          break;
        }
        EXPECT_TRUE(LineAppender(dir.File("events.log"), limit, durable).Append("next"));
        EXPECT_EQ(whole(), after + "next\n");
      }
    }
  }
}

TEST(LineAppenderTest, ALineTornByACrashIsEndedBeforeTheNextLine) {
  ScratchDir dir;
  dir.Write("audit.log", "whole\ntorn li");
  EXPECT_TRUE(LineAppender(dir.File("audit.log"), 0, true).Append("next"));
  EXPECT_EQ(dir.Read("audit.log"), "whole\ntorn li\nnext\n");
}

}  // namespace
}  // namespace kavro::test
