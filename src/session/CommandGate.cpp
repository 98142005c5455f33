#include "session/CommandGate.h"

#include <utility>

namespace kavro {
namespace {

// Sets a flag for as long as it lives, however the work ends.
class FlagUp {
 public:
  explicit FlagUp(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagUp() { flag_ = false; }
  FlagUp(const FlagUp&) = delete;
  FlagUp& operator=(const FlagUp&) = delete;

 private:
  bool& flag_;
};

}  // namespace

CommandGate::CommandGate(Work cycle, std::function<void(const Work&)> run)
    : cycle_(std::move(cycle)), run_(std::move(run)) {}

CommandGate::Changing::~Changing() {
  --gate_.commandDepth_;
  if (gate_.Idle()) gate_.CatchUp();
}

void CommandGate::RequestCycle() {
  // A tick inside the cycle itself: the running cycle arms the next one when it ends.
  if (cycleRunning_) return;
  if (commandDepth_ > 0 && operatorWaits_ == 0) {
    cycleDue_ = true;
    return;
  }
  {
    // Asked for directly: a failure that leaves the cycle goes to whoever asked.
    FlagUp running(cycleRunning_);
    cycle_();
  }
  if (Idle()) CatchUp();
}

void CommandGate::Submit(CommandKind kind, Work work) {
  if (kind == CommandKind::Looks) {
    run_(work);
    return;
  }
  if (!Idle()) {
    queue_.push_back(std::move(work));
    return;
  }
  RunCommandNow(work);  // the commands that came meanwhile follow as it ends
}

void CommandGate::RunDeferredCycle() {
  FlagUp running(cycleRunning_);
  run_(cycle_);
}

void CommandGate::RunCommandNow(const Work& work) {
  Changing changing(*this);
  run_(work);
}

void CommandGate::CatchUp() {
  if (catchingUp_) return;
  FlagUp catchingUp(catchingUp_);
  while (Idle()) {
    if (!queue_.empty()) {
      const Work next = std::move(queue_.front());
      queue_.pop_front();
      RunCommandNow(next);
    } else if (cycleDue_) {
      cycleDue_ = false;
      RunDeferredCycle();
    } else {
      break;
    }
  }
}

}  // namespace kavro
