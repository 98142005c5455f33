#include <gtest/gtest.h>

#include "link/ActiveLink.h"
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

TEST(ActiveLink, OpcKindRefusesToComeOnAndWithoutALinkNothingCountsAsExchanged) {
  LinkTestWorld w;
  ControllerModel& m = w.controller.model;
  m.Program_Interface = "veldtsrv ";
  EXPECT_FALSE(w.link.SwitchOn(w.controller));
  ASSERT_EQ(w.op.messages.size(), 1u);
  EXPECT_EQ(w.op.messages[0].text, "The OPC Link Is Not Available In This Version");
  EXPECT_EQ(w.link.Current(), nullptr);
  EXPECT_EQ(m.Link.LinkStatus, kOff);
  EXPECT_TRUE(w.processes.started.empty());

  m.LinkReadError = false;
  m.LinkWriteError = false;
  w.link.Read(w.controller);
  w.link.Write(w.controller);
  EXPECT_TRUE(m.LinkReadError);
  EXPECT_TRUE(m.LinkWriteError);
  EXPECT_TRUE(w.Files().empty());
}

}  // namespace
}  // namespace kavro::test
