#include "session/ControllerSession.h"

#include "display/LinkPanel.h"
#include "display/StatusRefresh.h"
#include "engine/CalculationReport.h"
#include "engine/ControlCycle.h"
#include "engine/EventNotes.h"
#include "link/LinkFiles.h"
#include "session/LinkCommands.h"

namespace kavro {

ControllerSession::ControllerSession(Controller& controller, SessionOptions options)
    : controller_(controller), options_(options) {
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
    commands_["mnuDebugLink"] = [this](Controller& c) { OpenLinkPanel(c, link_); };
    if (options.refreshWindow) {
      cycleSteps_.refreshLinkPanel = [this](Controller& c) { RefreshLinkPanel(c, link_); };
    }
  }
  commands_["cmdHide"] = HideFrame1;
}

ControllerSession::~ControllerSession() {
  // The controller may outlive this session: it must not write through a file that is gone.
  if (eventsFile_) controller_.events.SetSink(nullptr);
}

std::optional<std::string> ControllerSession::ClaimWorkDir(const std::string& workDir) {
  return workDirLock_.Acquire(workDir);
}

bool ControllerSession::Start(const std::string& workDir) {
  SetProgramDefaults(controller_, workDir);
  if (options_.eventsFile) AttachEventsFile();
  return FLControlLoad(controller_, startupSteps_);
}

void ControllerSession::AttachEventsFile() {
  eventsFile_ = std::make_unique<LineAppender>(controller_.model.WorkDir + "/" + kEventsFileName,
                                               kEventsFileMaxBytes);
  controller_.events.SetSink([this](const EventEntry& entry) {
    std::string error;
    if (eventsFile_->Append(EventLineText(entry), &error)) {
      eventsFileFailing_ = false;
    } else if (!eventsFileFailing_) {
      // Said once, in the window's log: control goes on without the file.
      eventsFileFailing_ = true;
      NoteEvent(controller_, EventKind::Control, "The events file cannot be written: " + error);
    }
  });
}

void ControllerSession::RunCycle() { Timer1Tick(controller_, cycleSteps_, engineMemo_); }

bool ControllerSession::RunCommand(const std::string& name) {
  return RunMenuCommand(controller_, commands_, name);
}

}  // namespace kavro
