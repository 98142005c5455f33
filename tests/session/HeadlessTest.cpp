// The controller without a window: how its questions are answered, and how its events reach
// the events file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "session/ControllerBuilder.h"
#include "session/HeadlessEvents.h"
#include "session/HeadlessOperator.h"
#include "session/Shutdown.h"
#include "session/SignalStop.h"
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

// Window events: whatever the test hangs on it runs where the cycle lets them run.
class HookedPump : public EventPump {
 public:
  void ProcessEvents() override {
    if (onPump) onPump();
  }
  void Sleep(int) override {}
  std::function<void()> onPump;
};

// The headless service as it is built, on fakes, started in an empty folder, with an unsaved
// edit; what a stop by signal does is recorded in order.
struct SignalledService {
  SignalledService() {
    ControllerParts parts = FakeParts(op, clock, pump, timer, processes, clipboard);
    parts.session.withLink = false;
    parts.session.withScripts = false;
    parts.session.eventsFile = false;
    parts.session.history = false;
    built = std::make_unique<BuiltController>(controller, std::move(parts));
    built->session().Start(dir.Path());
    controller.model.ChangesPending = true;
  }
  void Signal() {
    StopBySignal(built->session(), op,
                 {[this] { happened.push_back("events passed on"); },
                  [this](const std::string& line) { lines.push_back(line); },
                  [this](int status) {
                    happened.push_back("ended " + std::to_string(status) +
                                       (timer.armed ? ", timer armed" : ", timer stopped"));
                  }});
  }
  ScratchDir dir;
  FakeClock clock;
  HookedPump pump;
  FakeCycleTimer timer;
  FakeProcessStarter processes;
  FakeClipboard clipboard;
  Controller controller;
  std::vector<std::string> lines;
  HeadlessOperator op{controller, [this](const std::string& line) { lines.push_back(line); }};
  std::unique_ptr<BuiltController> built;
  std::vector<std::string> happened;
};

TEST(SignalStop, EndsControlAsFileExitAnsweredYesAndAfterTheCycleThatIsRunning) {
  // Between cycles the stop runs at once.
  SignalledService idle;
  idle.Signal();
  EXPECT_EQ(idle.happened,
            (std::vector<std::string>{"events passed on", "ended 0, timer stopped"}));
  EXPECT_TRUE(idle.controller.model.ExitRequested);
  EXPECT_EQ(idle.lines.back(), "Dec-05-2026 12:00:00 Kavro: ended by signal");
  EXPECT_FALSE(std::filesystem::exists(idle.dir.File("FLC.dat"))) << "the edit is not saved";

  // A signal while the cycle lets window events run waits for the cycle's end: the cycle arms
  // its next tick, then File > Exit ends control and stops the timer again.
  SignalledService busy;
  const std::size_t armedBefore = busy.timer.intervals.size();
  bool exitedDuringCycle = true;
  busy.pump.onPump = [&] {
    busy.pump.onPump = nullptr;
    busy.Signal();
    exitedDuringCycle = busy.controller.model.ExitRequested || !busy.happened.empty();
  };
  busy.built->session().RunCycle();
  EXPECT_FALSE(exitedDuringCycle);
  EXPECT_EQ(busy.timer.intervals.size(), armedBefore + 1) << "the cycle ran to its end";
  EXPECT_EQ(busy.happened,
            (std::vector<std::string>{"events passed on", "ended 0, timer stopped"}));
  EXPECT_TRUE(busy.controller.model.ExitRequested);
  EXPECT_FALSE(busy.controller.model.ChangesPending);
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
