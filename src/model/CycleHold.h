#pragma once
// CycleHold keeps the cycle's display refresh away while a command waits for the operator or
// rebuilds the display. It is only ever set through this guard, which puts the old value back
// however the command ends, a thrown failure included: a hold left set would freeze the status
// display for good.
#include "model/ControllerModel.h"

namespace kavro {

class CycleHoldGuard {
 public:
  explicit CycleHoldGuard(ControllerModel& model) : model_(model), before_(model.CycleHold) {
    model_.CycleHold = true;
  }
  ~CycleHoldGuard() { model_.CycleHold = before_; }
  CycleHoldGuard(const CycleHoldGuard&) = delete;
  CycleHoldGuard& operator=(const CycleHoldGuard&) = delete;

 private:
  ControllerModel& model_;
  bool before_;
};

}  // namespace kavro
