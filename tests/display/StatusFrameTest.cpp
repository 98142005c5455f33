#include <gtest/gtest.h>

#include "display/StatusFrame.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

TEST(StatusFrame, LabelsAndScriptMarksFollowTheFactsTheyStandFor) {
  FakeWorld world;
  Controller& c = world.controller;
  c.model.ToFileMode = false;
  c.model.Link.LinkStatus = kOn;
  c.model.Scripts.PostScriptOn = true;
  // Whatever a label showed before does not matter: only the facts do.
  c.window.lblPreScript.backColour = PaletteColour(10);
  ShowStatusFrame(c);
  EXPECT_EQ(c.window.lblMode.caption, "To DCS");
  EXPECT_EQ(c.window.lblMode.backColour, PaletteColour(10));
  EXPECT_EQ(c.window.lblLink.caption, "Link ON");
  EXPECT_EQ(c.window.lblLink.backColour, PaletteColour(10));
  EXPECT_EQ(c.window.lblPreScript.backColour, OffColour);
  EXPECT_FALSE(c.window.mnuPreProcessExeChecked);
  EXPECT_EQ(c.window.lblPostScript.backColour, PaletteColour(10));
  EXPECT_TRUE(c.window.mnuPostProcessExeChecked);

  c.model.ToFileMode = true;
  c.model.Link.LinkStatus = kOff;
  c.model.Scripts.PostScriptOn = false;
  ShowStatusFrame(c);
  EXPECT_EQ(c.window.lblMode.caption, "To File");
  EXPECT_EQ(c.window.lblMode.backColour, OffColour);
  EXPECT_EQ(c.window.lblLink.caption, "Link OFF");
  EXPECT_EQ(c.window.lblLink.backColour, PaletteColour(12));
  EXPECT_EQ(c.window.lblPostScript.backColour, OffColour);
  EXPECT_FALSE(c.window.mnuPostProcessExeChecked);
}

}  // namespace
}  // namespace kavro::test
