#include "ui/ControllerHost.h"

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

void ControllerHost::Start(const std::string& workDir) {
  session_.Start(workDir);
  window_->Render();
  window_->show();
}

void ControllerHost::RunCycle() {
  session_.RunCycle();
  window_->Render();
}

}  // namespace kavro::ui
