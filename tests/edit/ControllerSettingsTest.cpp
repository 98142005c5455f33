#include <gtest/gtest.h>

#include <filesystem>

#include "common/TextUtil.h"
#include "display/ControllerSettingsView.h"
#include "display/MenuTree.h"
#include "display/StatusFrame.h"
#include "edit/ControllerSettings.h"
#include "edit/EditWorld.h"
#include "history/RetentionSetting.h"
#include "session/SettingsCommands.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

using Panel = ControllerSettingsPanel;

class ControllerSettingsTest : public ::testing::Test, public EditWorld {
 protected:
  Panel& panel() { return edits.settings; }
  bool Apply() { return AcceptControllerSettings(controller(), panel(), audit); }
};

TEST_F(ControllerSettingsTest, LoadFillsTheBoxesInPanelOrderAndShowsThePanel) {
  model().FLCBlock.DCSONOFF = "K.ONOFF";
  model().FLCBlock.LinkTopicName = "TOPIC";
  ShowControllerSettings(controller(), panel());
  const std::array<std::string, Panel::kBoxes> expected = {
      "VELDTBRG", "30", "", "K.ONOFF", "", "", "", "", "TOPIC", "FLC1", "10"};
  EXPECT_EQ(panel().Text1, expected);
  EXPECT_TRUE(panel().visible);
}

TEST_F(ControllerSettingsTest, ApplyStoresEveryBoxRecordsEachChangeAndHidesThePanel) {
  ShowControllerSettings(controller(), panel());
  panel().Text1[Panel::kRunFrequency] = "40";
  panel().Text1[3] = "K.ONOFF";
  panel().Text1[Panel::kName] = "REACTOR01";  // only 8 characters are kept
  panel().Text1[Panel::kLinkFrequency] = "35";
  panel().Text1[Panel::kProgramInterface] = "kavro-plantsim";
  ASSERT_TRUE(Apply());
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(panel().visible);
  EXPECT_EQ(model().FLCBlock.RunFrequency, 40);
  EXPECT_EQ(model().FLCBlock.DCSONOFF, "K.ONOFF");
  EXPECT_EQ(model().FLCBlock.Name1, "REACTOR0");
  EXPECT_EQ(model().FLCBlock.LinkFrequency, 35);
  EXPECT_EQ(model().Program_Interface, "kavro-plantsim");
  EXPECT_FALSE(controller().window.menus->mnuDebugLinkEnabled);  // now a file link, and it is off
  EXPECT_TRUE(model().ChangesPending);
  EXPECT_EQ(AuditChanges(sink),
            (std::vector<std::string>{"Program_Interface: VELDTBRG -> kavro-plantsim",
                                      "RunFrequency: 30 -> 40", "DCSONOFF:  -> K.ONOFF",
                                      "Name1: FLC1 -> REACTOR0", "LinkFrequency: 10 -> 35"}));
}

// Debug Link follows one rule wherever it is shown: after OKAY as on the status frame, which
// start-up and every switch of the link show.
TEST_F(ControllerSettingsTest, AfterApplyDebugLinkOpensWhileTheLinkIsOnWhateverItsKind) {
  struct Case {
    const char* programInterface;
    const char* linkStatus;
    bool enabled;
  };
  for (const Case& c : {Case{"kavro-plantsim", kOn, true}, Case{"kavro-plantsim", kOff, false},
                        Case{"VELDTSRV", kOff, true}, Case{"veldtbrg ", kOn, true}}) {
    SCOPED_TRACE(std::string(c.programInterface) + ", link " + c.linkStatus);
    model().Link.LinkStatus = c.linkStatus;
    ShowControllerSettings(controller(), panel());
    panel().Text1[Panel::kProgramInterface] = c.programInterface;
    ASSERT_TRUE(Apply());
    EXPECT_EQ(controller().window.menus->mnuDebugLinkEnabled, c.enabled);
    ShowStatusFrame(controller());
    EXPECT_EQ(controller().window.menus->mnuDebugLinkEnabled, c.enabled);
  }
}

TEST_F(ControllerSettingsTest, UnchangedApplyLeavesNoAuditLineAndNothingPending) {
  ShowControllerSettings(controller(), panel());
  ASSERT_TRUE(Apply());
  EXPECT_TRUE(sink.lines.empty());
  EXPECT_FALSE(model().ChangesPending);
  EXPECT_TRUE(controller().window.menus->mnuDebugLinkEnabled);
}

TEST_F(ControllerSettingsTest, TheLowestFrequenciesTheFileAllowsAreAccepted) {
  ShowControllerSettings(controller(), panel());
  panel().Text1[Panel::kRunFrequency] = "10";
  panel().Text1[Panel::kLinkFrequency] = "5";
  EXPECT_TRUE(Apply());
  ShowControllerSettings(controller(), panel());
  panel().Text1[Panel::kRunFrequency] = "30";
  panel().Text1[Panel::kLinkFrequency] = "25";
  EXPECT_TRUE(Apply());
  EXPECT_TRUE(Messages().empty());
}

// Every refusal shows its message and leaves the model exactly as it was, with the panel open
// and the operator's entries as typed, even when the refused entry is the last one checked and
// every other box holds a good new value.
TEST_F(ControllerSettingsTest, ARefusedEntryStoresNothingAtAll) {
  struct Case {
    int box;
    std::string value;
    std::string message;
    std::string title;
  };
  const std::string unusableName = "Unusable Controller Name for Link Files - \"";
  const std::vector<Case> cases = {
      {Panel::kRunFrequency, "abc", "Run Freq Must Be a Positive Integer", "Kavro "},
      {Panel::kRunFrequency, "99999", "Run Freq Must Be a Positive Integer", "Kavro "},
      {Panel::kRunFrequency, "9", "Please Enter a Frequency Greater Than 10 Seconds", "Kavro"},
      {Panel::kName, "   ", "Controller Name is Missing", "Kavro"},
      {Panel::kName, "../etc", unusableName + "../etc\"\r\nPlease check the Name Entered", "Kavro"},
      {Panel::kName, "..", unusableName + "..\"\r\nPlease check the Name Entered", "Kavro"},
      {Panel::kName, "a\\b", unusableName + "a\\b\"\r\nPlease check the Name Entered", "Kavro"},
      {Panel::kProgramInterface, "../../bin/sh",
       "Unusable Link Client Program Name - \"../../bin/sh\"\r\nPlease check the Program Name "
       "Entered",
       "Kavro"},
      {Panel::kLinkFrequency, "x", "Link Freq Must Be a Positive Integer", "Kavro"},
      {Panel::kLinkFrequency, "4", "Link Freq Must Be a Positive Integer", "Kavro"},
      {Panel::kLinkFrequency, "36",
       "Link Freq Must Be Faster Than Run Frequency By Atleast 5 Seconds", "Kavro"},
  };
  const std::string before = Saved();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    world.op.messages.clear();
    ShowControllerSettings(controller(), panel());
    panel().Text1[Panel::kProgramInterface] = "kavro-plantsim";
    panel().Text1[Panel::kRunFrequency] = "40";
    for (int box = 2; box <= 8; ++box) panel().Text1[box] = "TAG" + std::to_string(box);
    panel().Text1[Panel::kName] = "NEWNAME";
    panel().Text1[Panel::kLinkFrequency] = "20";
    panel().Text1[c.box] = c.value;
    const auto typed = panel().Text1;

    EXPECT_FALSE(Apply());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, c.message);
    EXPECT_EQ(Messages()[0].title, c.title);
    EXPECT_EQ(Messages()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(Saved(), before);
    EXPECT_FALSE(model().ChangesPending);
    EXPECT_TRUE(controller().window.menus->mnuDebugLinkEnabled);
    EXPECT_FALSE(model().CycleHold);
    EXPECT_TRUE(panel().visible);
    EXPECT_EQ(panel().Text1, typed);
    EXPECT_TRUE(sink.lines.empty());
  }
}

// While the link is on and DCSRunFreq is set, the DCS supplies the run frequency: a typed one is
// refused (it would be overwritten by the next read), an untouched box keeps the value the DCS
// sent since the panel opened, and neither leaves an audit line for a change that did not happen.
TEST_F(ControllerSettingsTest, ARunFrequencyTheDcsSuppliesIsRefusedNotAudited) {
  model().FLCBlock.DCSRunFreq = "KILN.RF ";
  model().Link.LinkStatus = kOn;
  ShowControllerSettings(controller(), panel());
  panel().Text1[Panel::kRunFrequency] = "40";
  const std::string before = Saved();
  EXPECT_FALSE(Apply());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text,
            "The DCS supplies Run Frequency while the link is on (tag KILN.RF): switch the link "
            "off to change it here");
  EXPECT_EQ(Saved(), before);
  EXPECT_TRUE(panel().visible);
  EXPECT_TRUE(sink.lines.empty());

  ShowControllerSettings(controller(), panel());
  model().FLCBlock.RunFrequency = 45;  // the DCS's next read, the panel still open
  panel().Text1[Panel::kName] = "KILN";
  ASSERT_TRUE(Apply());
  EXPECT_EQ(model().FLCBlock.RunFrequency, 45);
  EXPECT_EQ(AuditChanges(sink), (std::vector<std::string>{"Name1: FLC1 -> KILN"}));

  // With the link off, or no DCS tag for it, the run frequency is the operator's.
  for (const char* tag : {"KILN.RF", "  "}) {
    model().FLCBlock.DCSRunFreq = tag;
    model().Link.LinkStatus = IsAllSpaces(tag) ? kOn : kOff;
    ShowControllerSettings(controller(), panel());
    panel().Text1[Panel::kRunFrequency] = tag[0] == ' ' ? "50" : "55";
    ASSERT_TRUE(Apply());
    EXPECT_EQ(model().FLCBlock.RunFrequency, tag[0] == ' ' ? 50 : 55);
  }
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(ControllerSettingsTest, TheHistoryDaysAreKeptInTheWorkingFolderAtOnce) {
  ScratchDir dir;
  model().WorkDir = dir.Path();
  ShowControllerSettings(controller(), panel());
  EXPECT_EQ(panel().historyDays, "400");  // nothing set: the default
  panel().historyDays = "0";
  EXPECT_FALSE(Apply());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), "History Days Must Be a Whole Number From 1 To 36500");
  EXPECT_FALSE(std::filesystem::exists(dir.File("kavro-history.ini")));
  panel().historyDays = " 30 ";
  ASSERT_TRUE(Apply());
  EXPECT_EQ(model().HistoryDays, 30);
  EXPECT_EQ(dir.Read("kavro-history.ini"), "RetentionDays=30\r\n");
  EXPECT_EQ(ReadRetentionDays(dir.Path()), 30);
  EXPECT_FALSE(model().ChangesPending);  // FLC.dat has nothing new to save
  ShowControllerSettings(controller(), panel());
  EXPECT_EQ(panel().historyDays, "30");
}

TEST_F(ControllerSettingsTest, RunFrequencyBoxIsCheckedWhenLeft) {
  ShowControllerSettings(controller(), panel());
  std::string& box = panel().Text1[Panel::kRunFrequency];

  box = "5";
  CheckRunFrequencyBox(controller(), panel(), Panel::kRunFrequency);
  EXPECT_EQ(box, "30");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Please Enter a Frequency Greater Than 10 Seconds");
  EXPECT_EQ(Messages()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(Messages()[0].title, "Kavro");

  box = "abc";
  CheckRunFrequencyBox(controller(), panel(), Panel::kRunFrequency);
  EXPECT_EQ(box, "30");
  EXPECT_EQ(LastMessage(), "Please Enter a Numeric Value Greater Than 10 Seconds");

  box = " 12.5";  // whole seconds, halves to even
  CheckRunFrequencyBox(controller(), panel(), Panel::kRunFrequency);
  EXPECT_EQ(box, "12");
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(model().FLCBlock.RunFrequency, 30);  // only the OK stores it
  EXPECT_TRUE(model().ChangesPending);

  panel().Text1[Panel::kLinkFrequency] = "abc";  // other boxes are not checked on leaving
  CheckRunFrequencyBox(controller(), panel(), Panel::kLinkFrequency);
  EXPECT_EQ(panel().Text1[Panel::kLinkFrequency], "abc");
  EXPECT_EQ(Messages().size(), 2u);
}

}  // namespace
}  // namespace kavro::test
