#include <gtest/gtest.h>

#include "link/ActiveLink.h"
#include "link/FileLink.h"
#include "link/opc/OpcUaLink.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

TEST(ActiveLink, KindIsChosenAtSwitchOnSoAnEditedProgramInterfaceCannotSilenceTheRead) {
  LinkTestWorld w;
  ControllerModel& m = w.controller.model;
  m.ToFileMode = false;
  ASSERT_TRUE(w.link.SwitchOn(w.controller));
  ASSERT_NE(dynamic_cast<FileLink*>(w.link.Current()), nullptr);

  // The operator names an OPC kind while the file link runs: the file link goes on reading,
  // and a missing .IN is a failed read, not a good one.
  m.Program_Interface = "VELDTBRG";
  m.LinkReadError = false;
  w.link.Read(w.controller);
  EXPECT_TRUE(m.LinkReadError);
  EXPECT_GT(w.files.copies, 0) << "the file link tried its .IN";

  w.link.Write(w.controller);
  EXPECT_FALSE(m.LinkWriteError);
  EXPECT_EQ(w.Lines("FLC1.OUT").at(3), "\"RUN\"");

  w.link.SwitchOff(w.controller);
  EXPECT_EQ(w.Lines("FLC1.OUT").at(3), "\"STOP\"") << "the file link that was on says goodbye";
  EXPECT_EQ(w.link.Current(), nullptr);
  EXPECT_EQ(m.Link.LinkStatus, kOff);
  EXPECT_EQ(m.Link.LinkStatusSent, kOff);
}

TEST(ActiveLink, OpcNamesMakeTheOpcLinkAndWithoutALinkNothingCountsAsExchanged) {
  LinkTestWorld w;
  ControllerModel& m = w.controller.model;
  for (const char* name : {"veldtsrv ", "VELDTBRG"}) {
    m.Program_Interface = name;
    EXPECT_NE(dynamic_cast<OpcUaLink*>(MakeLink(m).get()), nullptr) << name;
  }
  m.Program_Interface = "VELDTSRVX";
  EXPECT_NE(dynamic_cast<FileLink*>(MakeLink(m).get()), nullptr);

  // Never switched on: no link, so the cycle's exchange counts as failed, and nothing is written.
  m.LinkReadError = false;
  m.LinkWriteError = false;
  w.link.Read(w.controller);
  w.link.Write(w.controller);
  EXPECT_TRUE(m.LinkReadError);
  EXPECT_TRUE(m.LinkWriteError);
  EXPECT_TRUE(w.Files().empty());
  EXPECT_TRUE(w.link.PanelLines(w.controller, false).lstRead.empty());
}

}  // namespace
}  // namespace kavro::test
