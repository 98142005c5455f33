#include "ui/ControllerHost.h"

#include "session/GuardedCall.h"
#include "ui/FLControl.h"

namespace kavro::ui {

ControllerHost::ControllerHost()
    : session_(controller_, SessionOptions{[this](Controller&) { window_->LayoutForScreen(); }}) {
  Ports& ports = controller_.ports;
  ports.op = &operator_;
  ports.clock = &clock_;
  ports.events = &pump_;
  ports.timer = &timer_;
  ports.processes = &processes_;
  ports.clipboard = &clipboard_;

  window_ = std::make_unique<FLControl>(controller_, session_.commands());
  operator_.SetParent(window_.get());

  timer_.onTick = [this] { RunCycle(); };
  connect(window_.get(), &FLControl::ExitConfirmed, this, [this] {
    controller_.ports.timer->Stop();
    emit Ended();
  });
}

ControllerHost::~ControllerHost() { timer_.Stop(); }

bool ControllerHost::Start(const std::string& workDir) {
  // A second controller in the folder says so and ends before it touches any file.
  if (const auto refusal = session_.ClaimWorkDir(workDir)) {
    operator_.MessageBox(*refusal, "Kavro", MsgIcon::Critical, MsgButtons::OK);
    return false;
  }
  // Start-up passes over the failures of its later steps itself; anything else that fails is
  // shown, and the window still comes up so that the operator can act on it.
  RunGuarded(controller_, [&] {
    session_.Start(workDir);
    window_->Render();
  });
  window_->show();
  return true;
}

void ControllerHost::RunCycle() {
  RunGuarded(controller_, [this] {
    session_.RunCycle();
    window_->Render();
  });
}

}  // namespace kavro::ui
