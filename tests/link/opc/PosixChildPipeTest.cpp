// A real child process spoken to one line at a time: answers, deadlines, and a child that dies.
#include "link/opc/PosixChildPipe.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>

#include "support/Eventually.h"

namespace kavro::test {
namespace {

using namespace std::chrono_literals;

TEST(PosixChildPipe, LinesGoBothWaysAndASilentChildTimesOut) {
  PosixChildPipe pipe;
  // Echoes each line back in upper case; answers "slow" only after a second.
  ASSERT_TRUE(pipe.Start("sh", {"-c",
                                "while read -r l; do "
                                "if [ \"$l\" = slow ]; then sleep 1; fi; "
                                "echo \"$l\" | tr a-z A-Z; done"}));
  EXPECT_TRUE(pipe.Running());
  ASSERT_TRUE(pipe.WriteLine("hello"));
  ASSERT_TRUE(pipe.WriteLine("world"));
  EXPECT_EQ(pipe.ReadLine(5000), "HELLO");
  EXPECT_EQ(pipe.ReadLine(5000), "WORLD");

  ASSERT_TRUE(pipe.WriteLine("slow"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(pipe.ReadLine(100), std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 900ms) << "the deadline holds";
  EXPECT_EQ(pipe.ReadLine(5000), "SLOW") << "the late answer is still there afterwards";

  // A long line arrives whole.
  const std::string longLine(200000, 'a');
  ASSERT_TRUE(pipe.WriteLine(longLine));
  EXPECT_EQ(pipe.ReadLine(10000), std::string(200000, 'A'));

  pipe.Stop();
  EXPECT_FALSE(pipe.Running());
  EXPECT_FALSE(pipe.WriteLine("after stop"));
}

TEST(PosixChildPipe, AChildThatDiesEndsReadsAndWritesWithoutASignal) {
  PosixChildPipe pipe;
  ASSERT_TRUE(pipe.Start("sh", {"-c", "read -r l; echo bye"}));
  const pid_t child = pipe.ProcessId();
  ASSERT_TRUE(pipe.WriteLine("go"));
  EXPECT_EQ(pipe.ReadLine(5000), "bye");
  EXPECT_TRUE(Eventually(5s, [&] { return !pipe.Running(); }));
  EXPECT_EQ(pipe.ReadLine(5000), std::nullopt) << "end of output, at once";
  // Writing to a child that is gone fails; it must not raise SIGPIPE and end the test program.
  for (int n = 0; n < 3; ++n) EXPECT_FALSE(pipe.WriteLine(std::string(100000, 'x')));

  ASSERT_TRUE(pipe.Start("sleep", {"30"}));
  EXPECT_NE(pipe.ProcessId(), child);
  kill(pipe.ProcessId(), SIGKILL);
  EXPECT_TRUE(Eventually(5s, [&] { return !pipe.Running(); }));

  EXPECT_FALSE(pipe.Start("/no/such/program", {}));
  EXPECT_FALSE(pipe.Running());
}

TEST(PosixChildPipe, AChildThatClosesItsOutputOrNeverEndsALineIsEnded) {
  struct Case {
    const char* what;
    std::string script;
  };
  const std::string overlong = std::to_string(kMaxChildLineBytes + 1);
  for (const Case& c :
       {Case{"closes its output", "read -r l; echo ok; exec 0<&- 1>&-; exec sleep 30"},
        Case{"never ends a line", "read -r l; echo ok; head -c " + overlong +
                                      " /dev/zero | tr '\\000' a; exec sleep 30"}}) {
    SCOPED_TRACE(c.what);
    PosixChildPipe pipe;
    ASSERT_TRUE(pipe.Start("sh", {"-c", c.script}));
    ASSERT_TRUE(pipe.WriteLine("go"));
    EXPECT_EQ(pipe.ReadLine(5000), "ok");
    // Alive but lost to the protocol: ended, so that a reader stops waiting on it and whoever
    // restarts a dead child restarts this one.
    EXPECT_EQ(pipe.ReadLine(20000), std::nullopt);
    EXPECT_FALSE(pipe.Running());
    EXPECT_FALSE(pipe.WriteLine("more"));
  }
}

TEST(PosixChildPipe, StopEndsAChildThatIgnoresItsInput) {
  PosixChildPipe pipe;
  ASSERT_TRUE(pipe.Start("sh", {"-c", "trap '' TERM; exec sleep 30"}));
  const auto start = std::chrono::steady_clock::now();
  pipe.Stop();
  EXPECT_FALSE(pipe.Running());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

}  // namespace
}  // namespace kavro::test
