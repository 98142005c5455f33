// What kavro makes of its command line and environment: the window only with a display to show
// it on, the headless service only when asked for in so many words, a usage error for anything
// else; and the time scale of the tests' fast runs never below real time.
#include <gtest/gtest.h>

#include <map>

#include "session/ProgramStart.h"

namespace kavro::test {
namespace {

struct Case {
  std::vector<std::string> arguments;
  std::map<std::string, std::string> environment;
  StartMode mode;
  std::string workDir;  // the service's folder
};

TEST(ProgramStart, TheWindowNeedsADisplayAndOnlyAWellFormedHeadlessLineStartsTheService) {
  const std::map<std::string, std::string> desktop{{"DISPLAY", ":0"}};
  const Case cases[] = {
      {{}, desktop, StartMode::Window, ""},
      {{}, {{"WAYLAND_DISPLAY", "wayland-0"}}, StartMode::Window, ""},
      {{}, {{"QT_QPA_PLATFORM", "offscreen"}}, StartMode::Window, ""},
      {{}, {}, StartMode::NoDisplay, ""},
      {{}, {{"DISPLAY", ""}}, StartMode::NoDisplay, ""},
      // A server has no display, and needs none.
      {{"--headless"}, {}, StartMode::Headless, "."},
      {{"--headless", "--workdir", "/plant/KILN1"}, {}, StartMode::Headless, "/plant/KILN1"},
      {{"--workdir", "/plant/KILN1", "--headless"}, {}, StartMode::Headless, "/plant/KILN1"},
      // Arguments never open the window: a folder alone, a missing folder, anything unknown.
      {{"--workdir", "/plant/KILN1"}, desktop, StartMode::Usage, ""},
      {{"--headless", "--workdir"}, {}, StartMode::Usage, ""},
      {{"--headless", "KILN1"}, {}, StartMode::Usage, ""},
      {{"--window"}, desktop, StartMode::Usage, ""},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const auto& a : c.arguments) line += a + " ";
    SCOPED_TRACE("kavro " + line);
    const StartChoice choice = ChooseStart(c.arguments, [&](const char* name) -> const char* {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    });
    EXPECT_EQ(choice.mode, c.mode);
    if (c.mode == StartMode::Headless) {
      EXPECT_EQ(choice.workDir, c.workDir);
    }
  }
  // The service's history span: taken when whole, refused with its reason otherwise.
  const auto none = [](const char*) -> const char* { return nullptr; };
  const StartChoice kept = ChooseStart({"--history-days", "30", "--headless"}, none);
  EXPECT_EQ(kept.mode, StartMode::Headless);
  EXPECT_EQ(kept.historyDays, 30);
  for (const char* bad : {"0", "-5", "2.5", "many", "99999999999"}) {
    const StartChoice refused = ChooseStart({"--headless", "--history-days", bad}, none);
    EXPECT_EQ(refused.mode, StartMode::Usage) << bad;
    EXPECT_NE(refused.problem.find("--history-days"), std::string::npos) << bad;
  }
}

TEST(ProgramStart, TheTimeScaleIsANumberOfAtLeastOne) {
  EXPECT_EQ(TimeScaleOf(nullptr), 1.0);
  EXPECT_EQ(TimeScaleOf("250"), 250.0);
  EXPECT_EQ(TimeScaleOf("2.5"), 2.5);
  for (const char* text : {"0.5", "0", "-3", "fast", "", "inf", "nan"}) {
    EXPECT_EQ(TimeScaleOf(text), 1.0) << text;
  }
}

}  // namespace
}  // namespace kavro::test
