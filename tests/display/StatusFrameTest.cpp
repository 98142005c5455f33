#include <gtest/gtest.h>

#include "display/MenuTree.h"
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
  c.window.status->lblPreScript.backColour = PaletteColour(10);
  ShowStatusFrame(c);
  EXPECT_EQ(c.window.status->lblMode.caption, "To DCS");
  EXPECT_EQ(c.window.status->lblMode.backColour, PaletteColour(10));
  EXPECT_EQ(c.window.status->lblLink.caption, "Link ON");
  EXPECT_EQ(c.window.status->lblLink.backColour, PaletteColour(10));
  EXPECT_EQ(c.window.status->lblPreScript.backColour, OffColour);
  EXPECT_FALSE(c.window.menus->mnuPreProcessExeChecked);
  EXPECT_EQ(c.window.status->lblPostScript.backColour, PaletteColour(10));
  EXPECT_TRUE(c.window.menus->mnuPostProcessExeChecked);

  c.model.ToFileMode = true;
  c.model.Link.LinkStatus = kOff;
  c.model.Scripts.PostScriptOn = false;
  ShowStatusFrame(c);
  EXPECT_EQ(c.window.status->lblMode.caption, "To File");
  EXPECT_EQ(c.window.status->lblMode.backColour, OffColour);
  EXPECT_EQ(c.window.status->lblLink.caption, "Link OFF");
  EXPECT_EQ(c.window.status->lblLink.backColour, PaletteColour(12));
  EXPECT_EQ(c.window.status->lblPostScript.backColour, OffColour);
  EXPECT_FALSE(c.window.menus->mnuPostProcessExeChecked);
}

}  // namespace
}  // namespace kavro::test
