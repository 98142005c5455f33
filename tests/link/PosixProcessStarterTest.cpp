#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

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

// The state letter of a process in /proc ('Z' for a zombie); empty once it is gone.
std::string ProcessState(long long id) {
  std::ifstream stat("/proc/" + std::to_string(id) + "/stat");
  std::string text;
  std::getline(stat, text);
  const auto close = text.rfind(')');
  return close == std::string::npos || close + 2 >= text.size() ? "" : text.substr(close + 2, 1);
}

TEST(PosixProcessStarter, ChildIsDetachedEndsWhenAskedAndLeavesNoZombie) {
  ScratchDir dir;
  dir.Write("quick", "#!/bin/sh\nexit 0\n");
  dir.Write("long", "#!/bin/sh\nexec sleep 30\n");
  ASSERT_EQ(chmod(dir.File("quick").c_str(), 0755), 0);
  ASSERT_EQ(chmod(dir.File("long").c_str(), 0755), 0);
  // The controller's own signal handling must not reach the child: a SIGTERM it blocks would
  // leave the link client deaf to Terminate.
  sigset_t term;
  sigset_t before;
  sigemptyset(&term);
  sigaddset(&term, SIGTERM);
  ASSERT_EQ(pthread_sigmask(SIG_BLOCK, &term, &before), 0);
  PosixProcessStarter starter;
  const long long quick = starter.Start(dir.File("quick"), {});
  const long long slow = starter.Start(dir.File("long"), {});
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  ASSERT_GT(quick, 0);
  ASSERT_GT(slow, 0);
  // A failed check must not leave the sleeper holding the test's output open.
  struct KillAtEnd {
    pid_t pid;
    ~KillAtEnd() { ::kill(pid, SIGKILL); }
  } sleeper{static_cast<pid_t>(slow)};

  // A session of its own: no Ctrl-C or hang-up of the controller's terminal reaches it.
  EXPECT_EQ(getsid(static_cast<pid_t>(slow)), slow);
  // An ended child is collected by the next call about any other one. Where the runner starts
  // us with SIGCHLD ignored, the kernel collects it itself and no zombie is ever seen.
  ASSERT_TRUE(Eventually(std::chrono::seconds(10), [&] {
    const std::string state = ProcessState(quick);
    return state == "Z" || state.empty();
  }));
  EXPECT_TRUE(starter.IsRunning(slow));
  EXPECT_EQ(ProcessState(quick), "");

  starter.Terminate(slow, false);
  EXPECT_TRUE(Eventually(std::chrono::seconds(10), [&] { return !starter.IsRunning(slow); }));
  EXPECT_EQ(ProcessState(slow), "");
}

TEST(PosixProcessStarter, ChildOutlivesTheStarter) {
  ScratchDir dir;
  dir.Write("long", "#!/bin/sh\nexec sleep 30\n");
  ASSERT_EQ(chmod(dir.File("long").c_str(), 0755), 0);
  long long id = 0;
  {
    PosixProcessStarter starter;
    id = starter.Start(dir.File("long"), {});
    ASSERT_GT(id, 0);
  }
  const auto pid = static_cast<pid_t>(id);
  EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), 0);  // still running
  ::kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace
}  // namespace kavro::test
