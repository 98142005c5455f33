#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/WorkDirLock.h"
#include "support/TempFiles.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

TEST(WorkDirLockTest, ASecondControllerInTheFolderIsRefusedNamingTheFirstAndChangesNothing) {
  const fs::path dir = fs::temp_directory_path() / ("kavro-lock-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  {
    WorkDirLock first;
    ASSERT_EQ(first.Acquire(dir.string()), std::nullopt);
    EXPECT_TRUE(first.Held());
    const std::string owner = FileBytes(dir / kWorkDirLockFile);
    EXPECT_EQ(owner, std::to_string(::getpid()) + "\n");
    const auto stamp = fs::last_write_time(dir / kWorkDirLockFile);

    WorkDirLock second;
    const auto refusal = second.Acquire(dir.string());
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(*refusal, "Another Kavro controller is already running in this folder (process " +
                            std::to_string(::getpid()) + ")");
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(FileBytes(dir / kWorkDirLockFile), owner);
    EXPECT_EQ(fs::last_write_time(dir / kWorkDirLockFile), stamp);
  }
  // Released with its holder: the next controller takes the folder.
  WorkDirLock next;
  EXPECT_EQ(next.Acquire(dir.string()), std::nullopt);
  fs::remove_all(dir);
}

TEST(WorkDirLockTest, TheKernelReleasesTheLockOfAProcessThatDied) {
  const fs::path dir =
      fs::temp_directory_path() / ("kavro-lock-dead-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const pid_t child = ::fork();
  if (child == 0) {
    WorkDirLock lock;
    ::_exit(lock.Acquire(dir.string()) ? 1 : 0);  // ends holding the lock, without unlocking
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  WorkDirLock after;
  EXPECT_EQ(after.Acquire(dir.string()), std::nullopt);
  fs::remove_all(dir);
}

TEST(WorkDirLockTest, AnUnwritableFolderIsReportedNotTakenForAnotherController) {
  WorkDirLock lock;
  const auto refusal = lock.Acquire("/nonexistent-kavro-folder");
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->rfind("Cannot open the lock file /nonexistent-kavro-folder/kavro.lock", 0), 0u)
      << *refusal;
}

}  // namespace
}  // namespace kavro::test
