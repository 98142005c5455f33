#pragma once
// Fakes of every port: they record what the core asked for and answer from a script, so tests
// assert the exact messages an operator would see without any window.
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/ports/Ports.h"
#include "model/Controller.h"
#include "session/ControllerBuilder.h"

namespace kavro::test {

struct ShownMessage {
  std::string text;
  std::string title;
  MsgIcon icon;
  MsgButtons buttons;
};

class FakeOperator : public Operator {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& initial) override;

  std::vector<ShownMessage> messages;          // every message box shown, in order
  std::deque<MsgAnswer> answers;               // answers to give; OK / Yes when empty
  std::vector<std::string> prompts;            // every input box prompt
  std::vector<std::string> inputTitles;        // and its title
  std::vector<std::string> inputInitials;      // and its default answer
  std::deque<std::optional<std::string>> inputs;  // answers to input boxes; the initial text when empty
  int failAtMessage = 0;  // the message box of this number (from 1) throws instead of answering
};

class FakeClock : public Clock {
 public:
  double SecondsOfDay() override { return seconds; }
  DateTime Now() override;
  void Advance(double by);  // moves the time of day on, wrapping at midnight
  double seconds = 12 * 3600.0;
  DateTime date{2026, 12, 5, 12, 0, 0};  // the date part of Now()
};

class FakeEventPump : public EventPump {
 public:
  explicit FakeEventPump(FakeClock* clock = nullptr) : clock_(clock) {}
  void ProcessEvents() override { ++processEventsCalls; }
  void Sleep(int milliseconds) override;
  int processEventsCalls = 0;
  long long sleptMilliseconds = 0;

 private:
  FakeClock* clock_;
};

class FakeCycleTimer : public CycleTimer {
 public:
  void Arm(int milliseconds) override {
    armed = true;
    intervals.push_back(milliseconds);
  }
  void Stop() override { armed = false; }
  bool armed = false;
  std::vector<int> intervals;
};

class FakeProcessStarter : public ProcessStarter {
 public:
  long long Start(const std::string& program, const std::vector<std::string>& arguments) override;
  bool IsRunning(long long processId) override;
  void Terminate(long long processId, bool force) override;
  struct Started {
    std::string program;
    std::vector<std::string> arguments;
  };
  std::vector<Started> started;
  bool failStart = false;
  std::map<long long, bool> running;  // process id -> still running
  struct Termination {
    long long processId;
    bool force;
  };
  std::vector<Termination> terminations;
  bool ignoreTerm = false;  // a process that lives on after a plain Terminate (hung hard)
};

class FakeClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override { this->text = text; }
  std::string text;
};

// The texts of the event log's entries of one kind, oldest first.
inline std::vector<std::string> EventTextsOfKind(const EventLog& log, EventKind kind) {
  std::vector<std::string> texts;
  for (const EventEntry& e : log.Entries()) {
    if (e.kind == kind) texts.push_back(e.text);
  }
  return texts;
}

// Fakes as a controller's parts, for a run built as the program builds its own; any of them may
// be a test's own fake or a real port.
ControllerParts FakeParts(Operator& op, Clock& clock, EventPump& events, CycleTimer& timer,
                          ProcessStarter& processes, Clipboard& clipboard);

// A controller wired to fresh fakes, with the real file system (tests use a scratch folder).
struct FakeWorld {
  FakeWorld();
  ControllerParts Parts() { return FakeParts(op, clock, events, timer, processes, clipboard); }
  FakeOperator op;
  FakeClock clock;
  FakeEventPump events{&clock};
  FakeCycleTimer timer;
  FakeProcessStarter processes;
  FakeClipboard clipboard;
  Controller controller;
};

// Parts that give a session its options and leave the ports as the test wired them.
inline ControllerParts SessionParts(SessionOptions options) {
  ControllerParts parts;
  parts.session = std::move(options);
  return parts;
}

// A new empty folder under the build tree, removed when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace kavro::test
