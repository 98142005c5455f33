#pragma once
// The one-shot control timer (Timer1): armed for the next cycle, stopped while a cycle runs.
namespace kavro {

class CycleTimer {
 public:
  virtual ~CycleTimer() = default;
  virtual void Arm(int milliseconds) = 0;
  virtual void Stop() = 0;
};

// Stands in where nothing drives the cycles by time: arming and stopping do nothing.
CycleTimer& NoCycleTimer();

}  // namespace kavro
