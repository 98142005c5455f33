#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/LineAppender.h"
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

}  // namespace
}  // namespace kavro::test
