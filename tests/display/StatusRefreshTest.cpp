#include <gtest/gtest.h>

#include "common/KavroError.h"
#include "display/MenuTree.h"
#include "display/PenColours.h"
#include "display/StatusFrame.h"
#include "display/StatusRefresh.h"
#include "support/FakePorts.h"

namespace kavro {
namespace {

class StatusRefreshTest : public ::testing::Test {
 protected:
  StatusRefreshTest() {
    ResetModel(model(), "/tmp");
    ApplyDefaults(model());
  }
  ControllerModel& model() { return world.controller.model; }
  MainGrid& grid() { return world.controller.grid; }
  void Refresh() { RefreshStatus(world.controller); }
  test::FakeWorld world;
};

TEST_F(StatusRefreshTest, ControllerCellsShowMasterSwitchFrequencySlopeAndErrorCode) {
  model().Link.LinkStatus = kOn;  // the DCS's switch is read
  model().FLCBlock.Name1 = "KILN1";
  model().FLCBlock.RunFrequency = 30;
  model().DCSOnOffValue = 1;
  world.controller.window.menus->mnuSlopeChecked = true;
  Refresh();
  EXPECT_EQ(grid().Text(0, 0), "MASTER: ON");
  EXPECT_EQ(grid().At(0, 0).backColour, Colour::FromRgb(0, 200, 0));
  EXPECT_EQ(grid().Text(1, 0), "Freq: 30");
  EXPECT_EQ(grid().Text(0, 1), "KILN1");
  EXPECT_EQ(grid().Text(2, 1), "Slope - ON");
  EXPECT_EQ(grid().At(2, 1).foreColour, PaletteColour(12));
  EXPECT_EQ(grid().Text(3, 1), "No Error");
  EXPECT_EQ(grid().At(3, 1).foreColour, PaletteColour(1));

  model().DCSOnOffValue = 2;  // anything but 1 is off
  world.controller.window.menus->mnuSlopeChecked = false;
  model().ErrorCodeValue = -90;  // To File mode is not an error
  Refresh();
  EXPECT_EQ(grid().Text(0, 0), "MASTER: OFF");
  EXPECT_EQ(grid().At(0, 0).backColour, Colour::FromRgb(230, 50, 50));
  EXPECT_EQ(grid().Text(2, 1), "Slope - OFF");
  EXPECT_EQ(grid().At(2, 1).foreColour, PaletteColour(1));
  EXPECT_EQ(grid().Text(3, 1), "No Error");

  EXPECT_EQ(world.controller.window.status->lblErrorCode.caption, "-90 = Output To FILE");
  EXPECT_EQ(world.controller.window.status->lblErrorCode.foreColour, PaletteColour(1));

  model().ErrorCodeValue = -91;
  Refresh();
  EXPECT_EQ(grid().Text(3, 1), "Error = -91");
  EXPECT_EQ(grid().At(3, 1).foreColour, PaletteColour(12));
  EXPECT_EQ(world.controller.window.status->lblErrorCode.caption,
            "-91 = Output To FILE + Output 1 increases blocked");
  EXPECT_EQ(world.controller.window.status->lblErrorCode.foreColour, PaletteColour(12));

  // With the link off the switch is not known: the last value read is not shown as ON.
  model().DCSOnOffValue = 1;
  model().Link.LinkStatus = kOff;
  Refresh();
  EXPECT_EQ(grid().Text(0, 0), "MASTER: Link OFF");
  EXPECT_EQ(grid().At(0, 0).backColour, PaletteColour(7));
}

TEST_F(StatusRefreshTest, StatusFrameAndLinkErrorLineFollowModeAndLinkFlags) {
  Refresh();  // the link is off at start: grey, whatever the mode
  EXPECT_EQ(world.controller.window.status->frameStatusCaption, "Status - To File - Link OFF");
  EXPECT_EQ(world.controller.window.status->frameStatusColour, PaletteColour(7));
  model().ToFileMode = false;
  Refresh();
  EXPECT_EQ(world.controller.window.status->frameStatusCaption, "Status - To DCS - Link OFF");
  EXPECT_EQ(world.controller.window.status->frameStatusColour, PaletteColour(7));

  model().ToFileMode = true;
  model().Link.LinkStatus = kOn;
  Refresh();
  EXPECT_EQ(world.controller.window.status->frameStatusCaption, "Status - To File");
  EXPECT_EQ(world.controller.window.status->frameStatusColour, PaletteColour(14));
  EXPECT_FALSE(world.controller.window.status->Label4.visible);

  model().ToFileMode = false;
  model().LinkReadError = true;
  world.clock.seconds = 6 * 3600 + 5 * 60 + 9;
  Refresh();
  EXPECT_EQ(world.controller.window.status->frameStatusCaption, "Status - To DCS");
  EXPECT_EQ(world.controller.window.status->frameStatusColour, PaletteColour(10));
  EXPECT_TRUE(world.controller.window.status->Label4.visible);
  EXPECT_EQ(world.controller.window.status->Label4.caption,
            "Dec-05-2026 06:05:09: OPC/DDE File Read Error");

  model().LinkWriteError = true;  // the write error replaces the read error
  Refresh();
  EXPECT_EQ(world.controller.window.status->Label4.caption,
            "Dec-05-2026 06:05:09: OPC/DDE File Write Error");

  model().LinkReadError = model().LinkWriteError = false;
  Refresh();
  EXPECT_FALSE(world.controller.window.status->Label4.visible);
}

TEST_F(StatusRefreshTest, ActiveZonesAreAboveFirstPointAndUpToFourthFirstThreeOnly) {
  PVarInRecord& in = model().PVarIn[1];
  in.PVarName = "TEMP";
  in.PVHigh = 200;
  in.PVIN = 150;
  in.PVLow = -5.5f;
  const auto zone = [&](int z, float p1, float p4, float degree) {
    in.Zone[z].MFPValue = {0, p1, p1, p4, p4};
    in.Zone[z].MFDegree = degree;
  };
  zone(1, 150, 200, 0.1f);  // first point equals PVIN: not active
  zone(2, 100, 150, 0.25f);  // fourth point equals PVIN: active
  zone(3, 0, 400, 1);
  zone(4, 149, 151, 0.5f);
  zone(5, 140, 160, 0.75f);  // a fourth active zone is not shown
  Refresh();
  const int col = grid::InputColumn(1);
  EXPECT_EQ(grid().Text(0, col), "TEMP");
  EXPECT_EQ(grid().Text(2, col), "200.000");
  EXPECT_EQ(grid().Text(3, col), "150.000");
  EXPECT_EQ(grid().Text(4, col), "-5.500");
  EXPECT_EQ(grid().Text(5, col), "Zone 2");
  EXPECT_EQ(grid().Text(6, col), "0.250");
  EXPECT_EQ(grid().Text(7, col), "Zone 3");
  EXPECT_EQ(grid().Text(8, col), "1.000");
  EXPECT_EQ(grid().Text(9, col), "Zone 4");
  EXPECT_EQ(grid().Text(10, col), "0.500");
  EXPECT_EQ(grid().At(7, col).foreColour, kBlack);

  zone(3, 0, 400, 0);  // in the zone but with no membership: dimmed, name and degree
  Refresh();
  EXPECT_EQ(grid().At(7, col).foreColour, PaletteColour(8));
  EXPECT_EQ(grid().At(8, col).foreColour, PaletteColour(8));
  EXPECT_EQ(grid().At(9, col).foreColour, kBlack);

  in.PVIN = 1000;  // no zone active: stale names disappear
  Refresh();
  for (int row = 5; row <= 10; ++row) EXPECT_EQ(grid().Text(row, col), "") << row;
}

TEST_F(StatusRefreshTest, RuleRowsShowTermsOperatorAndColouredStrength) {
  model().Rules[3].Strength = "0.2500";
  model().Rules[3].Term[1] = "LOW";
  model().Rules[3].Term[7] = "OPEN";
  model().Rules[3].Operator = "PROD";
  model().Rules[4].Strength = "-0.1000";
  model().Rules[5].Strength = "0.0000";
  Refresh();
  EXPECT_EQ(grid().Text(14, 0), "R3: 0.2500");
  EXPECT_EQ(grid().At(14, 0).foreColour, PaletteColour(12));
  EXPECT_EQ(grid().Text(14, 1), "PROD");
  EXPECT_EQ(grid().Text(14, 2), "LOW");
  EXPECT_EQ(grid().Text(14, 8), "OPEN");  // term 7 = output 1 in column 8
  EXPECT_EQ(grid().At(15, 0).foreColour, PaletteColour(9));
  EXPECT_EQ(grid().At(16, 0).foreColour, PaletteColour(1));
  EXPECT_EQ(grid().Text(12, 0), "R1: Not Used");
  EXPECT_EQ(grid().At(12, 0).foreColour, PaletteColour(1));
  EXPECT_EQ(grid().Text(31, 0), "R20: Not Used");

  model().Rules[6].Strength = "garbage";
  EXPECT_THROW(Refresh(), KavroError);
}

TEST_F(StatusRefreshTest, ClampLabelsShowMinutesLeftAndIncreaseWins) {
  model().FLCBlock.RunFrequency = 30;
  PVarOutRecord& out = model().PVarOut[1];
  out.Wait_Change = 10;
  out.DecreaseCounter = 5;  // 10 - 5 x 30 / 60 = 7.5 minutes, to even: 8
  out.ClampDecrease = true;
  Refresh();
  const LabelState& label = world.controller.window.status->lblClamp[0];
  EXPECT_TRUE(label.visible);
  EXPECT_EQ(label.caption, "LOW-8.0");
  EXPECT_EQ(label.backColour, Colour::FromRgb(0, 0, 255));

  out.ClampIncrease = true;
  out.IncreaseCounter = 7;  // 10 - 3.5 = 6.5 -> 6
  Refresh();
  EXPECT_EQ(label.caption, "HIGH-6.0");
  EXPECT_EQ(label.backColour, Colour::FromRgb(255, 0, 0));

  out.ClampIncrease = out.ClampDecrease = false;
  Refresh();
  EXPECT_FALSE(label.visible);
  EXPECT_FALSE(world.controller.window.status->lblClamp[1].visible);

  // The post-process script put the output back where it is: a script hold. A script that only
  // nudged it, or the rules alone keeping it there, is no hold.
  model().Scripts.PostScriptOn = true;
  out.PVIN = 42.5f;
  out.ValueOut = "42.500";
  out.ScriptAdjust = -1.25f;
  Refresh();
  EXPECT_TRUE(label.visible);
  EXPECT_EQ(label.caption, "Script hold");
  out.ValueOut = "43.000";
  Refresh();
  EXPECT_FALSE(label.visible);
  out.ValueOut = "42.500";
  out.ScriptAdjust = 0;
  Refresh();
  EXPECT_FALSE(label.visible);
  PVarOutRecord& incr = model().PVarOut[2];  // ValueOut is the value to send for either type
  incr.OutputType = kIncr;
  incr.PVIN = 7;
  incr.ValueOut = "7.000";
  incr.ScriptAdjust = 2;
  Refresh();
  EXPECT_EQ(world.controller.window.status->lblClamp[1].caption, "Script hold");
  incr.ClampIncrease = true;  // a move-limit hold is told first
  Refresh();
  EXPECT_EQ(world.controller.window.status->lblClamp[1].caption.substr(0, 5), "HIGH-");
  model().Scripts.PostScriptOn = false;
  incr.ClampIncrease = false;
  Refresh();
  EXPECT_FALSE(world.controller.window.status->lblClamp[1].visible);
}

TEST_F(StatusRefreshTest, IndexLabelsReadNotAvailableWhileSwitchedOffFromTheDcs) {
  model().PVarIn[2].VarIndex = 96.125f;
  model().DCSOnOffValue = 1;
  Refresh();
  EXPECT_EQ(world.controller.window.status->lblVarIndex[1].caption, "96.13");
  EXPECT_EQ(world.controller.window.status->lblVarIndex[0].caption, "0.00");
  model().DCSOnOffValue = 0;
  Refresh();
  for (const LabelState& label : world.controller.window.status->lblVarIndex) {
    EXPECT_EQ(label.caption, "N/A");
  }
}

TEST_F(StatusRefreshTest, OutputColumnsShowValueOutAndScriptAdjustmentWhilePostScriptIsOn) {
  PVarOutRecord& out1 = model().PVarOut[1];
  out1.ValueOut = "12.500";
  out1.ScriptAdjust = 1.23456f;
  out1.Zone[1].MFPValue = {0, -1, -1, 1, 1};
  out1.Zone[1].MFDegree = 0.75f;  // row 6 shows the adjustment instead of this degree
  model().PVarOut[2].ScriptAdjust = 3;  // ValueOut "Not Used": blank
  world.controller.model.Scripts.PostScriptOn = true;
  Refresh();
  const int col1 = grid::OutputColumn(1);
  EXPECT_EQ(world.controller.strip.Text(0, col1), "12.500");
  EXPECT_EQ(world.controller.strip.Text(0, grid::OutputColumn(2)), "Not Used");
  EXPECT_EQ(world.controller.strip.Text(0, 1), "COG");
  EXPECT_EQ(grid().Text(5, col1), "Zone 1");
  EXPECT_EQ(grid().Text(6, col1), "1.2346");
  EXPECT_EQ(grid().At(6, col1).foreColour, PenColor(8));
  EXPECT_EQ(grid().Text(6, grid::OutputColumn(2)), "");

  out1.ScriptAdjust = 0.5f;
  Refresh();
  EXPECT_EQ(grid().Text(6, col1), "0.500");

  world.controller.model.Scripts.PostScriptOn = false;
  Refresh();
  EXPECT_EQ(grid().Text(6, col1), "");
}

}  // namespace
}  // namespace kavro
