#pragma once
// All ports of the core in one bundle that app/ wires up and tests fill with fakes.
#include "common/ports/Clipboard.h"
#include "common/ports/Clock.h"
#include "common/ports/CycleTimer.h"
#include "common/ports/EventPump.h"
#include "common/ports/FileSystem.h"
#include "common/ports/Operator.h"
#include "common/ports/PrintAndCapture.h"
#include "common/ports/ProcessStarter.h"

namespace kavro {

struct Ports {
  Operator* op = nullptr;
  Clock* clock = nullptr;
  EventPump* events = nullptr;
  CycleTimer* timer = nullptr;
  ProcessStarter* processes = nullptr;
  Clipboard* clipboard = nullptr;
  FileSystem* files = &SystemFileSystem();
  PrintAndCapture* printing = &NoPrintAndCapture();
};

}  // namespace kavro
