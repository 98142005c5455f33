#pragma once
// All ports of the core in one bundle that app/ wires up and tests fill with fakes. Each starts
// at its stand-in and can never be set to nothing, so the core calls its ports without asking.
#include "common/ports/Clipboard.h"
#include "common/ports/Clock.h"
#include "common/ports/CycleTimer.h"
#include "common/ports/EventPump.h"
#include "common/ports/FileSystem.h"
#include "common/ports/Operator.h"
#include "common/ports/PortRef.h"
#include "common/ports/PrintAndCapture.h"
#include "common/ports/ProcessStarter.h"

namespace kavro {

struct Ports {
  PortRef<Operator> op{NoOperator()};
  PortRef<Clock> clock{NoClock()};
  PortRef<EventPump> events{NoEventPump()};
  PortRef<CycleTimer> timer{NoCycleTimer()};
  PortRef<ProcessStarter> processes{NoProcessStarter()};
  PortRef<Clipboard> clipboard{NoClipboard()};
  PortRef<FileSystem> files{SystemFileSystem()};
  PortRef<PrintAndCapture> printing{NoPrintAndCapture()};
};

}  // namespace kavro
