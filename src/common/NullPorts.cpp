// The stand-ins every port starts at, so that a controller wired without a window (the replay,
// tools, tests) still has ports the core can call without asking whether they are there.
#include "common/ports/Clipboard.h"
#include "common/ports/Clock.h"
#include "common/ports/CycleTimer.h"
#include "common/ports/EventPump.h"
#include "common/ports/Operator.h"
#include "common/ports/ProcessStarter.h"

namespace kavro {
namespace {

class NobodyAtTheScreen : public Operator {
 public:
  MsgAnswer MessageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override {
    return MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
};

class StandingClock : public Clock {
 public:
  double SecondsOfDay() override { return 0.0; }
  DateTime Now() override { return DateTime{}; }
  bool Runs() override { return false; }
};

class NoWindowEvents : public EventPump {
 public:
  void ProcessEvents() override {}
  void Sleep(int) override {}
  bool Waits() override { return false; }
};

class IdleTimer : public CycleTimer {
 public:
  void Arm(int) override {}
  void Stop() override {}
};

class NoPrograms : public ProcessStarter {
 public:
  long long Start(const std::string&, const std::vector<std::string>&) override { return 0; }
  bool IsRunning(long long) override { return false; }
  void Terminate(long long, bool) override {}
};

class NoDesktopClipboard : public Clipboard {
 public:
  void SetText(const std::string&) override {}
};

}  // namespace

Operator& NoOperator() {
  static NobodyAtTheScreen none;
  return none;
}

Clock& NoClock() {
  static StandingClock none;
  return none;
}

EventPump& NoEventPump() {
  static NoWindowEvents none;
  return none;
}

CycleTimer& NoCycleTimer() {
  static IdleTimer none;
  return none;
}

ProcessStarter& NoProcessStarter() {
  static NoPrograms none;
  return none;
}

Clipboard& NoClipboard() {
  static NoDesktopClipboard none;
  return none;
}

}  // namespace kavro
