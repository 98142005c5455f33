// Every port starts at a stand-in that answers as a controller without a window always has, and
// no port can be set to nothing.
#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>

#include "common/ports/Ports.h"

namespace kavro {
namespace {

TEST(NullPorts, PortsStartAtTheirStandInsAndRefuseNothing) {
  Ports ports;
  EXPECT_EQ(ports.op, &NoOperator());
  EXPECT_EQ(ports.clock, &NoClock());
  EXPECT_EQ(ports.events, &NoEventPump());
  EXPECT_EQ(ports.timer, &NoCycleTimer());
  EXPECT_EQ(ports.processes, &NoProcessStarter());
  EXPECT_EQ(ports.clipboard, &NoClipboard());
  EXPECT_EQ(ports.files, &SystemFileSystem());
  EXPECT_EQ(ports.printing, &NoPrintAndCapture());

  static_assert(!std::is_assignable_v<PortRef<Operator>&, std::nullptr_t>,
                "a port set to nullptr must not compile");
  Clock* noClock = nullptr;
  EXPECT_THROW(ports.clock = noClock, std::invalid_argument);
  EXPECT_EQ(ports.clock, &NoClock());  // the refused pointer left the port as it was

  // Copies (the replay saves and gives back the ports) keep what was wired.
  class Wall : public Clock {
   public:
    double SecondsOfDay() override { return 5.0; }
    DateTime Now() override { return DateTime{2026, 12, 7, 0, 0, 5}; }
  } wall;
  ports.clock = &wall;
  const Ports saved = ports;
  ports.clock = &NoClock();
  EXPECT_EQ(saved.clock, &wall);
  EXPECT_EQ(saved.clock->SecondsOfDay(), 5.0);
  EXPECT_TRUE(saved.clock->Runs());
}

TEST(NullPorts, AnswerAsAControllerWithoutAWindow) {
  // Every box closes with OK, a question included, so nothing is ever answered Yes.
  for (const MsgButtons buttons :
       {MsgButtons::OK, MsgButtons::OKCancel, MsgButtons::YesNo, MsgButtons::YesNoDefaultNo}) {
    EXPECT_EQ(NoOperator().MessageBox("End control?", "Kavro", MsgIcon::Question, buttons),
              MsgAnswer::OK);
  }
  EXPECT_EQ(NoOperator().InputBox("Copies?", "Kavro", "1"), std::nullopt);

  // Time stands still at midnight of the default date, and says so.
  EXPECT_EQ(NoClock().SecondsOfDay(), 0.0);
  EXPECT_EQ(NoClock().Now(), DateTime{});
  EXPECT_FALSE(NoClock().Runs());
  EXPECT_FALSE(NoEventPump().Waits());

  // A program cannot be started, as when it is missing, and nothing runs.
  EXPECT_EQ(NoProcessStarter().Start("/bin/true", {}), 0);
  EXPECT_FALSE(NoProcessStarter().IsRunning(1));
}

}  // namespace
}  // namespace kavro
