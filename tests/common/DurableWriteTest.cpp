#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/DurableWrite.h"
#include "support/RecordingFileCalls.h"
#include "support/TempFiles.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

class DurableWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kavro-durable-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::create_directories(dir_);
    std::ofstream(dir_ / "FLC.dat", std::ios::binary) << "old";
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(DurableWriteTest, FlushesTheFileAndTheFolderAroundTheRename) {
  RecordingFileCalls calls(0);
  std::string error;
  ASSERT_TRUE(WriteFileDurably((dir_ / "FLC.dat").string(), "new", &error, calls)) << error;
  EXPECT_EQ(calls.log, (std::vector<std::string>{"open file", "write", "fsync", "close", "rename",
                                                 "open folder", "fsync", "close"}));
  EXPECT_EQ(FileBytes(dir_ / "FLC.dat"), "new");
}

TEST_F(DurableWriteTest, AFailureAtAnyStepBeforeTheRenameKeepsTheOldFileAndLeavesNoTemporary) {
  // Fail each call in turn until a run goes through without a fault.
  const std::string path = (dir_ / "FLC.dat").string();
  for (int failAt = 1;; ++failAt) {
    RecordingFileCalls calls(failAt);
    std::string error;
    const bool ok = WriteFileDurably(path, "new", &error, calls);
    if (failAt > static_cast<int>(calls.log.size())) {
      EXPECT_TRUE(ok);
      break;
    }
    EXPECT_FALSE(ok) << "failing call " << failAt << " (" << calls.log[failAt - 1] << ")";
    EXPECT_NE(error.find(std::strerror(EIO)), std::string::npos) << error;
    const bool renamed = failAt > 5;
    EXPECT_EQ(FileBytes(path), renamed ? "new" : "old") << "failing call " << failAt;
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++files;
    EXPECT_EQ(files, 1u) << "a temporary file was left behind at failing call " << failAt;
    std::ofstream(path, std::ios::binary) << "old";
  }
}

}  // namespace
}  // namespace kavro::test
