// The controller without a window: how its questions are answered, and how its events reach
// the events file.
#include <gtest/gtest.h>

#include <vector>

#include "session/HeadlessEvents.h"
#include "session/HeadlessOperator.h"
#include "session/Shutdown.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

struct HeadlessController {
  HeadlessController() {
    controller.ports.clock = &clock;
    controller.ports.op = &op;
    controller.model.FLCBlock.Name1 = "KILN1";
  }
  FakeClock clock;
  Controller controller;
  std::vector<std::string> lines;
  HeadlessOperator op{controller, [this](const std::string& line) { lines.push_back(line); }};
};

TEST(HeadlessOperator, AnswersTheSafeWayAndSaysEveryMessageOnOneStampedLine) {
  HeadlessController h;
  Operator& op = h.op;
  EXPECT_EQ(op.MessageBox("Unable to Start\r\nLink Client", "Kavro", MsgIcon::Exclamation,
                          MsgButtons::OK),
            MsgAnswer::OK);
  ASSERT_EQ(h.lines.size(), 1u);
  EXPECT_EQ(h.lines[0], "Dec-05-2026 12:00:00 Kavro: Unable to Start / Link Client");

  // A question that would switch the link on follows the restart option.
  h.controller.model.RestartInterface = true;
  EXPECT_EQ(op.MessageBox("Link Status is OFF, Turn it ON?", "Kavro", MsgIcon::Question,
                          MsgButtons::YesNo),
            MsgAnswer::Yes);
  h.controller.model.RestartInterface = false;
  EXPECT_EQ(op.MessageBox("Link Status is OFF, Turn it ON?", "Kavro", MsgIcon::Question,
                          MsgButtons::YesNo),
            MsgAnswer::No);
  EXPECT_EQ(h.lines.back(), "Dec-05-2026 12:00:00 Kavro: Link Status is OFF, Turn it ON? -> No");

  // Anything else changes nothing: No, Cancel, no input.
  EXPECT_EQ(op.MessageBox("Link Status is ON, Turn it OFF?", "Kavro", MsgIcon::Question,
                          MsgButtons::YesNo),
            MsgAnswer::No);
  EXPECT_EQ(op.MessageBox("Link Auto ReStart Option = ON", "Kavro", MsgIcon::Question,
                          MsgButtons::OKCancel),
            MsgAnswer::Cancel);
  EXPECT_EQ(op.InputBox("Enter Value", "KILN1", "5"), std::nullopt);
  EXPECT_EQ(h.lines.back(), "Dec-05-2026 12:00:00 KILN1: Enter Value -> Cancel");
}

TEST(HeadlessOperator, FileExitEndsOnlyAfterAStopSignalWithNothingSaved) {
  HeadlessController h;
  h.controller.model.ChangesPending = true;
  mnuExit_Click(h.controller);
  EXPECT_FALSE(h.controller.model.ExitRequested) << "no signal yet: the questions say No";
  EXPECT_TRUE(h.controller.model.ChangesPending);

  h.op.ConfirmExit();
  mnuExit_Click(h.controller);
  EXPECT_TRUE(h.controller.model.ExitRequested);
  EXPECT_FALSE(h.controller.model.ChangesPending);
  EXPECT_EQ(h.lines.back(),
            "Dec-05-2026 12:00:00 KILN1: Please Confirm - End Control -> Yes");
}

TEST(EventLogFollower, HandsOnEveryNewEntryAndRepeatOnce) {
  EventLog log;
  EventLogFollower follower;
  std::vector<std::string> out;
  const auto forward = [&] {
    follower.Forward(log, [&](const EventEntry& e) { out.push_back(e.text + " x" + std::to_string(e.repeats)); });
  };
  forward();
  EXPECT_TRUE(out.empty());

  log.Add("Dec-05-2026 12:00:00", "KILN1", "Error Number = 6\r\nAt error location = TIMER1: 4");
  log.Note("Dec-05-2026 12:00:10", "Link Auto ReStart", "Restarted");
  forward();
  forward();
  EXPECT_EQ(out, (std::vector<std::string>{"Error Number = 6\r\nAt error location = TIMER1: 4 x1",
                                           "Restarted x1"}));

  out.clear();
  log.Note("Dec-05-2026 12:00:10", "Link Auto ReStart", "Restarted");  // counted as a repeat
  log.Note("Dec-05-2026 12:00:20", "KILN1", "next");
  forward();
  EXPECT_EQ(out, (std::vector<std::string>{"Restarted x2", "next x1"}));

  // A full log drops its oldest entry for each new one; only the new one is handed on.
  for (std::size_t n = 0; n < EventLog::kCapacity; ++n) {
    log.Note("Dec-05-2026 12:01:00", "KILN1", "filler " + std::to_string(n));
  }
  forward();
  out.clear();
  log.Note("Dec-05-2026 12:02:00", "KILN1", "newest");
  forward();
  EXPECT_EQ(out, (std::vector<std::string>{"newest x1"}));

  // Events alike in time, title and text but not in a row are two events, each handed on once;
  // an old entry that looks like the newest is never taken for it.
  out.clear();
  log.Note("Dec-05-2026 12:03:00", "KILN1", "Link read error began");
  forward();
  log.Note("Dec-05-2026 12:03:00", "KILN1", "Link read error ended");
  log.Note("Dec-05-2026 12:03:00", "KILN1", "Link read error began");
  forward();
  forward();
  EXPECT_EQ(out, (std::vector<std::string>{"Link read error began x1", "Link read error ended x1",
                                           "Link read error began x1"}));
}

}  // namespace
}  // namespace kavro::test
