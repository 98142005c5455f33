#pragma once
// A stop signal (SIGTERM, SIGINT) ends a headless controller as File > Exit does once its
// questions are answered Yes: nothing is saved, nothing more is written to the link, and the link
// client program keeps running. The stop passes the session's gate as the window's menu commands
// do, so a signal that comes while a cycle runs ends control after that cycle.
#include <functional>
#include <string>

#include "session/ControllerSession.h"
#include "session/HeadlessOperator.h"

namespace kavro {

struct SignalStopSteps {
  // After File > Exit ran, whether it ended control or not: the service passes on the events.
  std::function<void()> afterExit;
  // Said once control has ended: "<date time> <product>: ended by signal".
  std::function<void(const std::string&)> say;
  // Control has ended, the cycle timer stopped: the program ends with this exit status.
  std::function<void(int)> ended;
};

// Hands the stop to the session: at once when nothing runs, else after what is running.
void StopBySignal(ControllerSession& session, HeadlessOperator& op, SignalStopSteps steps);

}  // namespace kavro
