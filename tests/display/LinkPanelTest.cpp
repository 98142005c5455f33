// The link debug panel over the file link: the .IN tags with the values of the last read, the
// .OUT lines of the last write, counts that drop when a read fails, and HIDE giving the rule
// selector its place back.
#include <gtest/gtest.h>

#include "display/LinkPanel.h"
#include "display/RuleRowsSelector.h"
#include "link/LinkTags.h"
#include "session/LinkCommands.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

std::string InFile() {
  std::string text = "\"FLC1\"\r\n\"2026/12/05\"\r\n\"12:00:00\"\r\n1\r\n1\r\n20\r\n";
  for (int n = 0; n < LinkReadCount - 3; ++n) text += std::to_string(n) + ".5\r\n";
  return text;
}

TEST(LinkPanel, FileLinkListsTheInTagsWithTheirValuesAndTheOutLinesOfTheLastCycle) {
  LinkTestWorld w;
  Controller& c = w.controller;
  c.model.FLCBlock.DCSONOFF = "ONOFF.TAG";
  c.model.FLCBlock.DCSRunFreq = "RF.TAG";
  c.model.ToFileMode = false;
  c.model.FLCBlock.DCSErrorCode = "ERR.TAG";
  c.model.PVarIn[1].PVarName = "BZT";
  c.model.PVarIn[1].DCSTagPV = "BZ.TEMP";
  c.model.PVarIn[2].DCSTagPV = "OLD.TAG";  // of a slot not in use: listed, not counted
  ASSERT_TRUE(SwitchLinkOn(c, w.link));

  // Hidden: the cycle's refresh fills nothing and the rule selector stays.
  RefreshLinkPanel(c, w.link);
  EXPECT_TRUE(c.window.ruleRows->cmbDisplayRulesVisible);
  EXPECT_TRUE(c.window.Frame1->lines.lstRead.empty());

  c.window.Frame1->chkTagsNotFound = true;
  OpenLinkPanel(c, w.link);
  EXPECT_TRUE(c.window.Frame1->visible);
  EXPECT_FALSE(c.window.Frame1->chkTagsNotFound) << "opening unticks Tags Not Found";
  EXPECT_FALSE(c.window.ruleRows->cmbDisplayRulesVisible) << "the panel covers the rule selector";

  w.dir.Write("FLC1.IN", InFile());
  w.link.Read(c);
  ASSERT_FALSE(c.model.LinkReadError);
  c.model.Link.PlantReadThisCycle = true;
  w.link.Write(c);
  c.model.Link.LastReadTime = 3600 + 2 * 60 + 3;
  RefreshLinkPanel(c, w.link);
  const LinkPanelState& panel = *c.window.Frame1;
  ASSERT_EQ(panel.lines.lstRead.size(), static_cast<std::size_t>(LinkReadCount));
  EXPECT_EQ(panel.lines.lstRead[0], "ONOFF.TAG, 1");
  EXPECT_EQ(panel.lines.lstRead[2], "RF.TAG, 20");
  // Per input: high, low, PV tags; the first PV is the sixth read tag.
  EXPECT_EQ(panel.lines.lstRead[5], "BZ.TEMP, 2.5");
  EXPECT_EQ(panel.lines.lstWrite, w.Lines("FLC1.OUT"));
  EXPECT_EQ(panel.lines.lstWrite.at(3), "\"RUN\"");
  EXPECT_EQ(panel.lines.lblCountRead, "3/3");
  EXPECT_EQ(panel.lines.lblCountWrite, "1/1");
  EXPECT_EQ(panel.lines.progressReadMax, 3);
  EXPECT_EQ(panel.lines.progressReadValue, 3);
  EXPECT_EQ(panel.lblLastRead, "Last Read: Dec-05-2026 01:02:03");  // the screen's one date form
  ASSERT_EQ(panel.lines.lstLinkMsg.size(), 2u);
  EXPECT_EQ(panel.lines.lstLinkMsg[0], "Link Client = MyLink ");

  // The file link refuses no tag: Tags Not Found lists nothing.
  c.window.Frame1->chkTagsNotFound = true;
  RefreshLinkPanel(c, w.link);
  EXPECT_TRUE(panel.lines.lstRead.empty());
  EXPECT_TRUE(panel.lines.lstWrite.empty());

  // A read that failed shows no values of an earlier cycle as if they were this one's.
  c.window.Frame1->chkTagsNotFound = false;
  w.dir.Write("FLC1.IN", "\"FLC1\"\r\n");
  w.link.Read(c);
  ASSERT_TRUE(c.model.LinkReadError);
  RefreshLinkPanel(c, w.link);
  EXPECT_EQ(panel.lines.lblCountRead, "0/3");
  EXPECT_EQ(panel.lines.lstRead[5], "BZ.TEMP, ");

  HideFrame1(c);
  EXPECT_FALSE(c.window.Frame1->visible);
  EXPECT_TRUE(c.window.ruleRows->cmbDisplayRulesVisible);
}

}  // namespace
}  // namespace kavro::test
