#include "session/CommandGate.h"

#include <utility>

#include "common/ScopedFlag.h"

namespace kavro {

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
    ScopedFlag running(cycleRunning_);
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
  ScopedFlag running(cycleRunning_);
  run_(cycle_);
}

void CommandGate::RunCommandNow(const Work& work) {
  Changing changing(*this);
  run_(work);
}

void CommandGate::CatchUp() {
  if (catchingUp_) return;
  ScopedFlag catchingUp(catchingUp_);
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
