// kavro-tune as a user runs it: bad input is one line and exit status 2, a score is the same
// bytes every time.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tune/DemoCopy.h"

namespace kavro::test {
namespace {

const std::string kTune = std::string(KAVRO_BINARY_DIR) + "/tools/kavro-tune/kavro-tune";

class TuneToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(kTune)) << "build the kavro-tune target first";
  }
  int Run(const std::string& arguments) {
    const std::string command = kTune + " " + arguments + " >" + out.File("stdout") + " 2>" +
                                out.File("stderr");
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Err() const { return out.Read("stderr"); }

  DemoCopy demo;
  ScratchDir out;
};

TEST_F(TuneToolTest, BadInputIsOneLineOnStandardErrorAndExitTwo) {
  const std::string dir = demo.dir.Path();
  EXPECT_EQ(Run("score --workdir " + dir + " --plant " + dir + "/none.txt"), 2);
  EXPECT_EQ(Err(), "kavro-tune: cannot read the plant file " + dir + "/none.txt\n");
  demo.dir.Write("stranger.txt", "input XI9.PV 1\n");
  EXPECT_EQ(Run("baseline --workdir " + dir + " --plant " + dir + "/stranger.txt"), 2);
  EXPECT_EQ(Err(), "kavro-tune: the plant names XI9.PV, a tag the configuration does not have\n");
  EXPECT_EQ(Run("tune --workdir " + dir + " --out " + dir), 2);
  EXPECT_EQ(Err(), "kavro-tune: --out " + dir + " is the working folder itself\n");
  EXPECT_EQ(Run("score --hours 2"), 2) << "no --workdir";
  EXPECT_EQ(Run("score --workdir " + dir + " --hours -1"), 2);
  EXPECT_EQ(Run("tune --workdir " + dir), 2) << "no --out";
  EXPECT_EQ(Run("polish --workdir " + dir), 2);
}

TEST_F(TuneToolTest, TheSameSeedPrintsTheSameBytes) {
  const std::string args = "score --workdir " + demo.dir.Path() + " --hours 1 --json --seed 3";
  ASSERT_EQ(Run(args), 0) << Err();
  const std::string first = out.Read("stdout");
  ASSERT_EQ(Run(args), 0);
  EXPECT_EQ(out.Read("stdout"), first);
  EXPECT_EQ(first.rfind("{\"hours\":1.0,\"cycles\":360,\"errors\":0,\"objective\":", 0), 0u) << first;
  ASSERT_EQ(Run("score --workdir " + demo.dir.Path() + " --hours 1 --json --seed 4"), 0);
  EXPECT_NE(out.Read("stdout"), first);
}

}  // namespace
}  // namespace kavro::test
