#pragma once
// One cycle at a time, and never a command inside it. The cycle lets window events run in its
// middle (the display refresh, a link or script waiting, the OPC bridge waiting for an answer),
// and any window event may be an operator's command. A command that changes what the cycle uses
// (link, configuration, scripts, control mode, end of control) must not run there: it could
// destroy the link whose read is still on the stack. So every command passes this gate:
// - a command that only looks (views, print, help, the event log) runs at once;
// - a command that changes runs at once when nothing else is running, and otherwise waits in a
//   queue and runs, in the order given, as soon as the cycle (or the command) in progress ends;
// - a cycle that comes due while a command is changing the controller runs as soon as that
//   command ends, so it never sees half of a change; while the command waits for the operator's
//   answer in a dialog (OperatorWait), the cycle runs at once: control goes on behind a dialog,
//   and a command asks its questions before it changes anything.
// Everything runs on the one thread; the gate only orders what that thread does.
#include <cstddef>
#include <deque>
#include <functional>

namespace kavro {

enum class CommandKind { Looks, Changes };

class CommandGate {
 public:
  using Work = std::function<void()>;

  // cycle runs one control cycle; run runs one piece of work so that nothing it throws
  // escapes (the session reports it as a menu command's failure). A cycle asked for directly
  // runs as it is, and a failure that leaves it reaches the caller of RequestCycle; a cycle
  // that ran late, at the end of a command, goes through run.
  CommandGate(Work cycle, std::function<void(const Work&)> run);

  // A tick of the cycle timer.
  void RequestCycle();
  // An operator's (or a signal's) command. The work is kept until it runs: it must not refer
  // to anything that lives only as long as the caller's stack frame.
  void Submit(CommandKind kind, Work work);

  bool CycleRunning() const { return cycleRunning_; }
  bool CommandRunning() const { return commandDepth_ > 0; }
  std::size_t Waiting() const { return queue_.size(); }

  // Marks a dialog of a command: a cycle that comes due meanwhile runs at once.
  class OperatorWait {
   public:
    explicit OperatorWait(CommandGate& gate) : gate_(gate) { ++gate_.operatorWaits_; }
    ~OperatorWait() { --gate_.operatorWaits_; }
    OperatorWait(const OperatorWait&) = delete;
    OperatorWait& operator=(const OperatorWait&) = delete;

   private:
    CommandGate& gate_;
  };

  // Marks work that changes the controller outside Submit (start-up): cycles and commands that
  // come meanwhile wait for its end, as for a command.
  class Changing {
   public:
    explicit Changing(CommandGate& gate) : gate_(gate) { ++gate_.commandDepth_; }
    ~Changing();
    Changing(const Changing&) = delete;
    Changing& operator=(const Changing&) = delete;

   private:
    CommandGate& gate_;
  };

 private:
  void RunDeferredCycle();
  void RunCommandNow(const Work& work);
  // Once nothing runs: the commands that waited, then a cycle that came due meanwhile.
  void CatchUp();
  bool Idle() const { return !cycleRunning_ && commandDepth_ == 0; }

  Work cycle_;
  std::function<void(const Work&)> run_;
  std::deque<Work> queue_;
  bool cycleRunning_ = false;
  bool cycleDue_ = false;
  bool catchingUp_ = false;
  int commandDepth_ = 0;
  int operatorWaits_ = 0;
};

}  // namespace kavro
