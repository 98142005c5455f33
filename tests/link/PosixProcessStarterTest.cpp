#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "link/PosixProcessStarter.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

bool EndsWithin(PosixProcessStarter& starter, long long id, std::chrono::seconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (starter.IsRunning(id)) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

TEST(PosixProcessStarter, StartsTheProgramInItsOwnFolderWithItsArgumentsAndSeesItEnd) {
  ScratchDir dir;
  dir.Write("client", "#!/bin/sh\npwd > seen.txt\necho \"$1\" >> seen.txt\nsleep 0.2\n");
  ASSERT_EQ(chmod(dir.File("client").c_str(), 0755), 0);
  PosixProcessStarter starter;

  const long long id = starter.Start(dir.File("client"), {"FLC1"});
  ASSERT_GT(id, 0);
  EXPECT_TRUE(starter.IsRunning(id));
  ASSERT_TRUE(EndsWithin(starter, id, std::chrono::seconds(10)));
  EXPECT_EQ(dir.Read("seen.txt"), dir.Path() + "\nFLC1\n");
  EXPECT_FALSE(starter.IsRunning(id));  // collected once, still not running
}

TEST(PosixProcessStarter, MissingOrNonExecutableProgramDoesNotStart) {
  ScratchDir dir;
  dir.Write("plain.txt", "not a program");
  PosixProcessStarter starter;
  EXPECT_EQ(starter.Start(dir.File("missing"), {"FLC1"}), 0);
  EXPECT_EQ(starter.Start(dir.File("plain.txt"), {"FLC1"}), 0);
  EXPECT_EQ(starter.Start("", {}), 0);
  EXPECT_FALSE(starter.IsRunning(0));
}

}  // namespace
}  // namespace kavro::test
