#include "session/ControllerSession.h"

#include "display/StatusRefresh.h"
#include "engine/CalculationReport.h"
#include "engine/ControlCycle.h"
#include "link/LinkFiles.h"
#include "session/LinkCommands.h"

namespace kavro {

ControllerSession::ControllerSession(Controller& controller, SessionOptions options)
    : controller_(controller) {
  startupSteps_.layoutWindow = std::move(options.layoutWindow);
  commands_ = WindowMenuCommands([](const Controller& c) {
    return CalculationReportLines(c.model, c.ports.clock->Now());
  });
  if (options.refreshWindow) cycleSteps_.refreshStatus = RefreshStatus;

  if (options.withLink) {
    cycleSteps_.readLink = [this](Controller& c) { link_.Read(c); };
    cycleSteps_.writeLink = [this](Controller& c) {
      link_.Write(c);
      // After the write, so that a restarted link client finds this cycle's .OUT.
      link_.Supervise(c);
    };
    startupSteps_.deleteStaleLinkOutput = DeleteStaleLinkOutput;
    startupSteps_.autoStartLink = [this](Controller& c) { AutoStartLink(c, link_); };
    commands_["mnuLinkStatus"] = [this](Controller& c) { mnuLinkStatus(c, link_); };
    commands_["mnuLinkRestart"] = mnuLinkRestart;
  }
}

bool ControllerSession::Start(const std::string& workDir) {
  SetProgramDefaults(controller_, workDir);
  return FLControlLoad(controller_, startupSteps_);
}

void ControllerSession::RunCycle() { Timer1Tick(controller_, cycleSteps_, engineMemo_); }

bool ControllerSession::RunCommand(const std::string& name) {
  return RunMenuCommand(controller_, commands_, name);
}

}  // namespace kavro
