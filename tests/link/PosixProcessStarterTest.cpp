#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include "link/PosixProcessStarter.h"
#include "support/Eventually.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

TEST(PosixProcessStarter, StartsTheProgramInItsOwnFolderWithItsArgumentsAndSeesItEnd) {
  ScratchDir dir;
  dir.Write("client", "#!/bin/sh\npwd > seen.txt\necho \"$1\" >> seen.txt\nsleep 0.2\n");
  ASSERT_EQ(chmod(dir.File("client").c_str(), 0755), 0);
  PosixProcessStarter starter;

  const long long id = starter.Start(dir.File("client"), {"FLC1"});
  ASSERT_GT(id, 0);
  EXPECT_TRUE(starter.IsRunning(id));
  ASSERT_TRUE(Eventually(std::chrono::seconds(10), [&] { return !starter.IsRunning(id); }));
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
