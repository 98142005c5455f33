#include <gtest/gtest.h>

#include <algorithm>

#include "session/ControllerBuilder.h"
#include "support/DemoFiles.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

// The demo plant's FLC.dat (RESTART I/F: YES, a link client named) as start-up finds it.
struct Started {
  explicit Started(const std::string& flcDat) {
    w.dir.Write("FLC.dat", flcDat);
    BuiltController built(w.controller);
    ControllerSession& session = built.session();
    read = session.Start(w.dir.Path());
  }
  bool Logged(const std::string& text) const {
    const auto& entries = w.controller.events.Entries();
    return std::any_of(entries.begin(), entries.end(),
                       [&](const EventEntry& e) { return e.text == text; });
  }
  LinkTestWorld w;
  bool read = false;
};

TEST(StartupDamagedConfig, AFileCutShortNeverSwitchesTheLinkOnByItself) {
  const std::string whole = DemoFile("FLC.dat");
  ASSERT_NE(whole.find("RESTART I/F: YES\r\n"), std::string::npos);
  const auto cutAfter = [&](const std::string& text, std::size_t from = 0) {
    const std::size_t at = whole.find(text, from);
    EXPECT_NE(at, std::string::npos) << text;
    return whole.substr(0, at + text.size());
  };
  const std::string leftOff =
      "Start-up: the link is left OFF because FLC.dat could not be read whole";
  for (const std::string& cut : {cutAfter("RESTART I/F: YES\r\n"), cutAfter("PVHigh: 14"),
                                 cutAfter("Index: 10\r\n", whole.find("Start_Rule:")),
                                 cutAfter("End_DeFuzz:\r\n"), cutAfter("End_Control")}) {
    SCOPED_TRACE("cut after " + std::to_string(cut.size()) + " of " + std::to_string(whole.size()) +
                 " bytes");
    const Started s(cut);
    EXPECT_FALSE(s.read);
    EXPECT_EQ(s.w.op.messages.size(), 1u);
    EXPECT_EQ(s.w.op.messages.at(0).text.rfind("Error in Read FLC.DAT File", 0), 0u);
    EXPECT_TRUE(s.w.processes.started.empty());
    EXPECT_EQ(s.w.controller.model.Link.LinkStatus, kOff);
    EXPECT_TRUE(s.Logged(leftOff));
  }
  // The whole file, even without the last line end, takes up control as the option asks.
  for (const std::string& complete : {whole, whole.substr(0, whole.size() - 2)}) {
    const Started s(complete);
    EXPECT_TRUE(s.read);
    EXPECT_TRUE(s.w.op.messages.empty());
    EXPECT_EQ(s.w.processes.started.size(), 1u);
    EXPECT_EQ(s.w.controller.model.Link.LinkStatus, kOn);
    EXPECT_FALSE(s.Logged(leftOff));
  }
}

TEST(StartupDamagedConfig, LinesAfterTheLastBlockAreToldInTheEventLog) {
  const std::string whole = DemoFile("FLC.dat");
  const Started junk(whole + "Start_Rule:\r\nIndex: 1\r\n\r\n" + std::string(3, '\0'));
  EXPECT_TRUE(junk.read);
  EXPECT_TRUE(junk.w.op.messages.empty());
  EXPECT_EQ(junk.w.controller.model.Link.LinkStatus, kOn);  // all of the configuration was read
  EXPECT_TRUE(
      junk.Logged("Start-up: FLC.dat has 3 lines after its last block (End_ControlMode:) "
                  "that were not read; the first: Start_Rule:"));
  const Started one(whole + "\x1b[2J tail");
  EXPECT_TRUE(
      one.Logged("Start-up: FLC.dat has 1 line after its last block (End_ControlMode:) "
                 "that was not read; the first: ?[2J tail"));
  // Blank lines at the end are an editor's habit, not a tail.
  const Started blank(whole + "\r\n  \r\n\t\r\n");
  const auto& entries = blank.w.controller.events.Entries();
  EXPECT_TRUE(std::none_of(entries.begin(), entries.end(), [](const EventEntry& e) {
    return e.text.find("after its last block") != std::string::npos;
  }));
}

}  // namespace
}  // namespace kavro::test
