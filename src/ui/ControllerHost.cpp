#include "ui/ControllerHost.h"

#include "display/StatusRefresh.h"
#include "engine/CalculationReport.h"
#include "engine/ControlCycle.h"
#include "link/LinkCommands.h"
#include "link/LinkHooks.h"
#include "ui/FLControl.h"

namespace kavro::ui {

ControllerHost::ControllerHost() {
  Ports& ports = controller_.ports;
  ports.op = &operator_;
  ports.clock = &clock_;
  ports.events = &pump_;
  ports.timer = &timer_;
  ports.processes = &processes_;
  ports.clipboard = &clipboard_;

  commands_ = WindowMenuCommands([](const Controller& c) {
    return CalculationReportLines(c.model, c.ports.clock->Now());
  });
  commands_["mnuLinkStatus"] = mnuLinkStatus;
  commands_["mnuLinkRestart"] = mnuLinkRestart;
  window_ = std::make_unique<FLControl>(controller_, commands_);
  operator_.SetParent(window_.get());

  FillLinkCycleSteps(cycleSteps_);
  cycleSteps_.refreshStatus = RefreshStatus;
  FillLinkStartupSteps(startupSteps_);
  startupSteps_.layoutWindow = [this](Controller&) { window_->LayoutForScreen(); };

  timer_.onTick = [this] { RunCycle(); };
  connect(window_.get(), &FLControl::ExitConfirmed, this, [this] {
    controller_.ports.timer->Stop();
    emit Ended();
  });
}

ControllerHost::~ControllerHost() { timer_.Stop(); }

void ControllerHost::Start(const std::string& workDir) {
  SetProgramDefaults(controller_, workDir);
  FLControlLoad(controller_, startupSteps_);
  window_->Render();
  window_->show();
}

void ControllerHost::RunCycle() {
  Timer1Tick(controller_, cycleSteps_);
  window_->Render();
}

}  // namespace kavro::ui
