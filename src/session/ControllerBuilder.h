#pragma once
// The one place a controller is put together: its ports, its session (the cycle's steps,
// start-up and the menu commands) and what runs after every cycle. The window, the headless
// service, the replay, the tools and the tests differ only in the ControllerParts they pass: a
// new port or a new kind of run is one edit here.
#include <functional>
#include <memory>
#include <vector>

#include "common/ports/Ports.h"
#include "model/Controller.h"
#include "session/ControllerSession.h"

namespace kavro {

// What one kind of run gives its controller. A port left out stays as the controller has it:
// a new controller's stand-in (an operator who never answers, a clock that stands still, the
// real file system, ...), or what the caller wired before.
struct ControllerParts {
  Operator* op = nullptr;  // who answers the controller's questions
  Clock* clock = nullptr;
  EventPump* events = nullptr;
  CycleTimer* timer = nullptr;
  ProcessStarter* processes = nullptr;  // the link client program and the bridge
  Clipboard* clipboard = nullptr;
  PrintAndCapture* printing = nullptr;
  FileSystem* files = nullptr;
  // The link (and its factory), the window's refresh, the events and audit files, the scripts.
  SessionOptions session;
  // Run after every control cycle, in this order, also after one that ran late because a
  // command was changing things: the window's drawing, a recorder that keeps each cycle.
  std::vector<std::function<void(Controller&)>> afterEveryCycle;

  // A run on simulated time (the replay, a tuning run): the clock moves only as the caller
  // advances it, the next cycle follows at once, nothing waits, and nothing is written to the
  // working folder (no link, no window, no events file, no audit file).
  static ControllerParts OnSimulatedTime(Clock& clock);
};

// Points the controller's ports at those the parts give, leaving the others as they are.
void WirePorts(Controller& controller, const ControllerParts& parts);

// A controller wired from its parts, with its session. Made on a controller of its own, or on
// one the caller keeps: that one has its ports back as they were when this ends.
class BuiltController {
 public:
  explicit BuiltController(ControllerParts parts = {});
  BuiltController(Controller& controller, ControllerParts parts = {});
  ~BuiltController();
  BuiltController(const BuiltController&) = delete;
  BuiltController& operator=(const BuiltController&) = delete;

  Controller& controller() { return controller_; }
  ControllerSession& session() { return *session_; }

 private:
  BuiltController(std::unique_ptr<Controller> owned, Controller* kept, ControllerParts parts);
  std::unique_ptr<Controller> owned_;
  Controller& controller_;
  Ports before_;
  std::unique_ptr<ControllerSession> session_;
};

}  // namespace kavro
