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

}  // namespace
}  // namespace kavro::test
