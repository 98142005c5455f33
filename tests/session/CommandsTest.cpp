#include <gtest/gtest.h>

#include "common/KavroError.h"
#include "display/CalcReportList.h"
#include "display/MenuTree.h"
#include "display/StatusFrame.h"
#include "session/MenuCommands.h"
#include "session/ModeCommands.h"
#include "session/SmallCommands.h"
#include "support/DisplayFixture.h"

namespace kavro {
namespace {

using CommandsTest = test::DisplayFixture;

TEST_F(CommandsTest, ErrorCodeListAndAboutBoxShowTheirExactLines) {
  mnuErrorCodes(c);
  mnuAbout(c);
  ASSERT_EQ(world.op.messages.size(), 2u);
  const test::ShownMessage& list = world.op.messages[0];
  EXPECT_EQ(list.title, "Kavro: Multivariable Fuzzy Logic Controller");
  EXPECT_EQ(list.icon, MsgIcon::Information);
  EXPECT_EQ(list.text,
            "Error Codes:\r\n"
            "   1 = File Read Error (Critical)\r\n"
            "   2 = File Write Error(Critical)\r\n"
            "\r\n"
            "  -1 = Time Out On OutPut 1 Increase\r\n"
            " -10 = Time Out On OutPut 2 Increase\r\n"
            " -11 = Time Out On OutPut 1 & 2 Increases\r\n"
            "  -2 = Time Out On OutPut 1 Decrease\r\n"
            " -20 = Time Out On OutPut 2 Decrease\r\n"
            " -22 = Time Out On OutPut 1 & 2 Decreases\r\n"
            "\r\n"
            " -90 = Output To FILE\r\n");
  const std::string& about = world.op.messages[1].text;
  EXPECT_EQ(about.rfind("Kavro, Version 1.0.0\r\n\r\n", 0), 0u) << about;
  EXPECT_NE(about.find("\r\nTelephone: "), std::string::npos);
  EXPECT_NE(about.find("\r\ne-mail: "), std::string::npos);
  EXPECT_EQ(world.op.messages[1].title, "Kavro: Multivariable Fuzzy Logic Controller");
  EXPECT_FALSE(c.model.CycleHold);
}

TEST_F(CommandsTest, ScreenLockStartsCountdownOnUnlockAndSlopeTogglesWithItsMark) {
  c.model.ScreenLocked = true;
  mnuScreenLock(c);
  EXPECT_FALSE(c.model.ScreenLocked);
  EXPECT_EQ(c.model.LockCountdown, 300);
  mnuScreenLock(c);
  EXPECT_TRUE(c.model.ScreenLocked);
  EXPECT_EQ(c.model.LockCountdown, 0);

  mnuSlope(c);
  EXPECT_TRUE(c.window.menus->mnuSlopeChecked);
  EXPECT_TRUE(c.model.FLCBlock.SlopeCorr);
  mnuSlope(c);
  EXPECT_FALSE(c.window.menus->mnuSlopeChecked);
  EXPECT_FALSE(c.model.FLCBlock.SlopeCorr);
}

TEST_F(CommandsTest, ModeCommandsSetModeMarksLabelAndSavedMode) {
  mnuToDCS(c);
  EXPECT_FALSE(c.model.ToFileMode);
  EXPECT_TRUE(c.window.menus->mnuToDCSChecked);
  EXPECT_FALSE(c.window.menus->mnuToFileChecked);
  EXPECT_EQ(c.window.status->lblMode.caption, "To DCS");
  EXPECT_EQ(c.window.status->lblMode.backColour, PaletteColour(10));
  EXPECT_EQ(c.model.ControlMode, "DCS");
  mnuToFile(c);
  EXPECT_TRUE(c.model.ToFileMode);
  EXPECT_FALSE(c.window.menus->mnuToDCSChecked);
  EXPECT_TRUE(c.window.menus->mnuToFileChecked);
  EXPECT_EQ(c.window.status->lblMode.caption, "To File");
  EXPECT_EQ(c.window.status->lblMode.backColour, OffColour);
  EXPECT_EQ(c.model.ControlMode, "File");
}

TEST_F(CommandsTest, CalculationReportListTogglesWithAFreshSnapshot) {
  int snapshots = 0;
  const ReportLines report = [&](const Controller&) {
    ++snapshots;
    return std::vector<std::string>{"line " + std::to_string(snapshots)};
  };
  mnuDebugCalc(c, report);
  EXPECT_TRUE(c.window.calcReport->lstDebugVisible);
  EXPECT_EQ(c.window.calcReport->lstDebug, std::vector<std::string>{"line 1"});
  mnuDebugCalc(c, report);
  EXPECT_FALSE(c.window.calcReport->lstDebugVisible);
  mnuDebugCalc(c, report);
  EXPECT_EQ(c.window.calcReport->lstDebug, std::vector<std::string>{"line 2"});
}

TEST_F(CommandsTest, MenuBarHasTheCaptionsAndAccessKeysInOrder) {
  std::string bar;
  for (const Menu& menu : MenuBar()) {
    bar += (menu.hidden ? "(" + menu.caption + ")" : menu.caption) + ":";
    for (const MenuItem& item : menu.items) bar += (item.IsSeparator() ? "-" : item.caption) + ",";
    bar += " ";
  }
  EXPECT_EQ(bar,
            "&File:&Printer Setup,Pri&nt Screen,Print To &File,Export &Trend...,-,&Save,-,&Exit, "
            "(&Edit):&Copy, (E&dit3):&Copy3, "
            "Lin&k:Link &Status,-,Link &Restart, "
            "&Control Mode:To &DCS,To &File,-,Save &Preference, "
            "&Script:P&reProcess Text,PreProcess E&xecute,P&ostProcess Text,PostProcess Exec&ute, "
            "C&alc:&Slope Correction,-,Rule &Firing,Control Su&rface,Trend &History, "
            "&Debug:Debug &Calcs,-,Debug &Link, "
            "Scree&n Lock:&Locked, "
            "&Help:&Error Codes,-,&About, ");

  // Check marks and enabled flags show the menus' own marks and the model's facts.
  const MenuItem* lock = FindMenuItem("mnuScreenLock");
  ASSERT_NE(lock, nullptr);
  c.model.ScreenLocked = true;
  EXPECT_TRUE(IsChecked(c, *lock));
  const Menu* mode = FindMenu("mnuControlMode");
  ASSERT_NE(mode, nullptr);
  EXPECT_FALSE(IsEnabled(c, mode->enabled));
  c.model.CycleHasRun = true;
  EXPECT_TRUE(IsEnabled(c, mode->enabled));
  const MenuItem* debugLink = FindMenuItem("mnuDebugLink");
  c.window.menus->mnuDebugLinkEnabled = false;
  EXPECT_FALSE(IsEnabled(c, debugLink->enabled));
  EXPECT_EQ(FindMenuItem(""), nullptr);
}

TEST_F(CommandsTest, MenuCommandsRunByNameAndReportTheirFailures) {
  MenuCommandTable table = WindowMenuCommands(nullptr);
  EXPECT_TRUE(RunMenuCommand(c, table, "mnuToDCS"));
  EXPECT_EQ(c.window.status->lblMode.caption, "To DCS");
  EXPECT_FALSE(RunMenuCommand(c, table, "mnuLinkStatus"));  // the link adds its own
  // Every command of the table is an item of the menu bar.
  for (const auto& [name, command] : table) EXPECT_NE(FindMenuItem(name), nullptr) << name;

  table["mnuLinkStatus"] = [](Controller&) { throw KavroError(53, "File not found"); };
  EXPECT_TRUE(RunMenuCommand(c, table, "mnuLinkStatus"));
  ASSERT_EQ(world.op.messages.size(), 1u);
  EXPECT_EQ(world.op.messages[0].text, "Error Number = 53\r\nError Description = File not found");
  EXPECT_EQ(world.op.messages[0].title, "Kavro");
}

}  // namespace
}  // namespace kavro
