#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/WholeFileStream.h"
#include "support/TempFiles.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

// A file appears whole or not at all: a stream that fails half way, or a folder that cannot be
// written, leaves the old file as it was and nothing beside it.
TEST(WholeFileStreamTest, ReplacesOnlyWhenEveryByteWasWritten) {
  const fs::path dir = fs::temp_directory_path() / ("kavro-whole-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "results.csv").string();
  std::ofstream(path, std::ios::binary) << "old";

  EXPECT_FALSE(WriteWholeFileStream(path, [](std::ostream& out) {
    out << "half";
    out.setstate(std::ios::badbit);  // as a full disk leaves the stream
  }));
  EXPECT_EQ(FileBytes(path), "old");

  bool called = false;
  EXPECT_FALSE(WriteWholeFileStream((dir / "no-folder" / "x.csv").string(),
                                    [&called](std::ostream&) { called = true; }));
  EXPECT_FALSE(called);

  EXPECT_TRUE(WriteWholeFileStream(path, [](std::ostream& out) { out << "new,1\n"; }));
  EXPECT_EQ(FileBytes(path), "new,1\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kavro::test
