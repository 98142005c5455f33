// kavro-script end to end: errors name the file and its line, and --workdir gives the script the
// controller's procedures on that folder's configuration.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/DemoFiles.h"
#include "support/FakePorts.h"
#include "support/TestPaths.h"

namespace kavro::test {
namespace {

const std::string kScriptTool = std::string(KAVRO_BINARY_DIR) + "/tools/kavro-script/kavro-script";

class ScriptToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(kScriptTool)) << "build the kavro-script target first";
    dir.Write("FLC.dat", DemoFile("FLC.dat"));
  }
  int Run(const std::string& arguments) {
    const std::string command = kScriptTool + " " + arguments + " >" + dir.File("stdout") + " 2>" +
                                dir.File("stderr") + " </dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  ScratchDir dir;
};

TEST_F(ScriptToolTest, AnErrorNamesTheFileAndItsLineInTheFile) {
  // Status line, date line and an empty line come before the script's first line.
  dir.Write("try.scp",
            "Status PostProcess = ON\r\n12/7/2026 9:00:00 AM\r\n\r\nx = 1\r\ny = x / 0\r\n");
  EXPECT_EQ(Run(dir.File("try.scp")), 1);
  EXPECT_EQ(dir.Read("stderr"), dir.File("try.scp") + ": line 5: Error 11: Division by zero\n");
}

TEST_F(ScriptToolTest, WorkdirGivesTheProceduresOnThatConfiguration) {
  dir.Write("read.scp",
            "GET_INPVIN 4, v, e\r\nconsole.Echo e\r\nGET_INPVIN 5 + 4, v, e\r\nconsole.Echo e\r\n"
            "GET_SCRIPTKOUNTER 1, k, e\r\nSET_SCRIPTKOUNTER 1, k + 1, e\r\nconsole.Echo k\r\n");
  EXPECT_EQ(Run(dir.File("read.scp") + " --workdir " + dir.Path() + " --cycles 2"), 0)
      << dir.Read("stderr");
  EXPECT_EQ(dir.Read("stdout"), "0\n1\n0\n0\n1\n1\n0\n1\n2\n");

  // Without a configuration the procedures are unknown names, as before.
  EXPECT_EQ(Run(dir.File("read.scp")), 1);
  EXPECT_NE(dir.Read("stderr").find(": line 1: Error "), std::string::npos) << dir.Read("stderr");
}

// Bad input is one line naming the file, its name quoted safely, and exit 2: never a run on a
// blank controller reported as success.
TEST_F(ScriptToolTest, BadInputIsOneLineAndExitTwo) {
  dir.Write("ok.scp", "x = 1\r\n");
  EXPECT_EQ(Run(dir.File("ok.scp") + " --workdir " + dir.File("nonexistent")), 2);
  EXPECT_EQ(dir.Read("stderr"),
            "kavro-script: " + dir.File("nonexistent") + "/FLC.dat: no such configuration\n");
  std::string quotedName;  // appended: a literal before a string trips GCC 12's -O3 -Wrestrict
  quotedName.append("'").append(dir.File("no\x1b[2Jsuch.scp")).append("'");
  EXPECT_EQ(Run(quotedName), 2);
  EXPECT_EQ(dir.Read("stderr"),
            "kavro-script: " + dir.File("no\\x1b[2Jsuch.scp") + ": cannot read\n");
  EXPECT_EQ(Run("--help"), 0);
  EXPECT_NE(dir.Read("stdout").find("Exit status: 0 "), std::string::npos);
}

TEST_F(ScriptToolTest, EachRunHasTheControllersTimeLimitOrTheOneGiven) {
  dir.Write("endless.scp", "x = 1\r\nDo\r\nLoop\r\n");
  const std::string stopped =
      dir.File("endless.scp") + ": line 2: Error 9000: Script execution " + "time was exceeded\n";
  EXPECT_EQ(Run(dir.File("endless.scp")), 1);  // 1 s without a configuration
  EXPECT_EQ(dir.Read("stderr"), stopped);
  EXPECT_EQ(Run(dir.File("endless.scp") + " --time-limit 50"), 1);
  EXPECT_EQ(dir.Read("stderr"), stopped);
  EXPECT_EQ(Run(dir.File("endless.scp") + " --time-limit -5"), 2);

  // A long run within its limit, then a built-in failing inside the engine: a script error of
  // its line, not an abort.
  dir.Write("long.scp",
            "For i = 1 To 1000 : Next\r\nconsole.Echo i\r\nx = FormatPercent(1E307)\r\n");
  EXPECT_EQ(Run(dir.File("long.scp") + " --time-limit 0"), 1);
  EXPECT_EQ(dir.Read("stdout"), "1001\n");
  EXPECT_EQ(dir.Read("stderr"), dir.File("long.scp") + ": line 3: Error 6: Overflow\n");
}

}  // namespace
}  // namespace kavro::test
