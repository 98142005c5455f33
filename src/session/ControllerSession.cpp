#include "session/ControllerSession.h"

#include "display/GridValues.h"
#include "display/LinkPanel.h"
#include "display/StatusFrame.h"
#include "display/StatusRefresh.h"
#include "display/TrendPlot.h"
#include "engine/CalculationReport.h"
#include "engine/ControlCycle.h"
#include "engine/EventNotes.h"
#include "link/LinkFiles.h"
#include "config/ConfigFile.h"
#include "edit/CopyGrid.h"
#include "scripting/host/ShareObject.h"
#include "history/RetentionSetting.h"
#include "session/GuardedCall.h"
#include "session/HistoryCapture.h"
#include "session/LinkCommands.h"
#include "session/SaveCommands.h"
#include "session/ScriptCommands.h"
#include "session/SmallCommands.h"

namespace kavro {

ControllerSession::ControllerSession(Controller& controller, SessionOptions options)
    : controller_(controller),
      options_(options),
      gate_([this] { CycleThenAfter(); },
            [this](const CommandGate::Work& work) { RunGuarded(controller_, work); }),
      operator_(gate_, *controller.ports.op),
      link_(options_.linkFactory),
      scriptHost_(controller),
      systemAudit_(controller.ports.files),
      audit_(controller, options.auditSink ? *options.auditSink : systemAudit_) {
  controller_.ports.op = &operator_;
  startupSteps_.layoutWindow = std::move(options.layoutWindow);
  commands_ = WindowMenuCommands([](const Controller& c) {
    return CalculationReportLines(c.model, c.ports.clock->Now());
  });
  if (options.showCycleTimes) cycleSteps_.showCycleTimes = ShowCycleTimes;
  // Always: the value rows the link shows are read back when it goes off.
  cycleSteps_.showValues = ShowGridValues;
  if (options.refreshWindow) {
    cycleSteps_.refreshStatus = RefreshStatus;
    cycleSteps_.refreshTrend = RefreshTrend;
  }

  if (options.withLink) {
    cycleSteps_.readLink = [this](Controller& c) { link_.Read(c); };
    cycleSteps_.writeLink = [this](Controller& c) { link_.Write(c); };
    // After the write, so that a restarted link client finds this cycle's .OUT.
    cycleSteps_.superviseLink = [this](Controller& c) { link_.Supervise(c); };
    startupSteps_.deleteStaleLinkOutput = DeleteStaleLinkOutput;
    startupSteps_.autoStartLink = [this](Controller& c) { AutoStartLink(c, link_); };
    commands_["mnuLinkStatus"] = [this](Controller& c) { mnuLinkStatus(c, link_); };
    commands_["mnuLinkRestart"] = mnuLinkRestart;
    commands_["mnuDebugLink"] = [this](Controller& c) { OpenLinkPanel(c, link_); };
    if (options.refreshWindow) {
      cycleSteps_.refreshLinkPanel = [this](Controller& c) { RefreshLinkPanel(c, link_); };
    }
  }

  if (options.withScripts) {
    const auto startUp = [this](ScriptKind kind) {
      scriptHost_.StartUp(kind);
      const UserScript& script = scriptHost_.Script(kind);
      return ScriptLoadOutcome{script.loadError, script.on};
    };
    startupSteps_.loadPreScript = [startUp](Controller&) { return startUp(ScriptKind::Pre); };
    startupSteps_.loadPostScript = [startUp](Controller&) { return startUp(ScriptKind::Post); };
    startupSteps_.clearScriptStore = [](Controller& c) { ClearScriptStore(c.model); };
    cycleSteps_.runPreScript = [this](Controller&) { return scriptHost_.Run(ScriptKind::Pre); };
    cycleSteps_.runPostScript = [this](Controller&) { return scriptHost_.Run(ScriptKind::Post); };
    commands_["mnuPreProcessExe"] = [this](Controller& c) {
      ToggleScriptExecute(c, scriptHost_, ScriptKind::Pre);
    };
    commands_["mnuPostProcessExe"] = [this](Controller& c) {
      ToggleScriptExecute(c, scriptHost_, ScriptKind::Post);
    };
  }
  AuditOperatorCommands();
}

void ControllerSession::AuditOperatorCommands() {
  commands_["mnuSave"] = [this](Controller& c) {
    if (SaveConfiguration(c)) audit_.Record("Configuration saved", "", ConfigPath(c.model));
  };
  // The link debug panel's HIDE button runs through the same table as the menus.
  commands_["cmdHide"] = HideFrame1;
  // The variable editor's Copy reaches the grid the session holds.
  commands_["mnuCopy3"] = [this](Controller& c) { CopyGrid(c, edits_.variable.MSHFlexGrid3); };
  const auto onOff = [](bool on) { return std::string(on ? kOn : kOff); };
  const auto mode = [](const Controller& c) {
    return std::string(c.model.ToFileMode ? "To File" : "To DCS");
  };
  AuditCommand("mnuToDCS", "Control mode", mode);
  AuditCommand("mnuToFile", "Control mode", mode);
  AuditCommand("mnuSlope", "Slope correction",
               [onOff](const Controller& c) { return onOff(c.model.FLCBlock.SlopeCorr); });
  AuditCommand("mnuLinkStatus", "Link",
               [](const Controller& c) { return c.model.Link.LinkStatus; });
  AuditCommand("mnuLinkRestart", "Link auto restart",
               [onOff](const Controller& c) { return onOff(c.model.RestartInterface); });
}

void ControllerSession::AuditCommand(const std::string& name, const std::string& what,
                                     std::function<std::string(const Controller&)> value) {
  const auto found = commands_.find(name);
  if (found == commands_.end() || !found->second) return;
  found->second = [this, command = found->second, what, value](Controller& c) {
    const std::string before = value(c);
    command(c);
    audit_.Record(what, before, value(c));
  };
}

ControllerSession::~ControllerSession() {
  // The controller may outlive this session: it must not write through a file that is gone.
  if (!eventsPath_.empty()) controller_.events.SetSink(nullptr);
  // ... nor ask its questions through a gate that is gone.
  if (controller_.ports.op == &operator_) controller_.ports.op = &operator_.answering();
}

std::optional<std::string> ControllerSession::ClaimWorkDir(const std::string& workDir) {
  auto refusal = workDirLock_.Acquire(workDir, *controller_.ports.files);
  if (!refusal && options_.eventsFile) AttachEventsFile(workDir);
  return refusal;
}

bool ControllerSession::AppendToEventsFile(const std::string& line, std::string* failure) {
  return eventsPath_.empty() ||
         controller_.ports.files->AppendLine(eventsPath_, line, kEventsFileRule, failure);
}

void ControllerSession::UseOperator(Operator& op) {
  operator_.AnswerBy(op);
  controller_.ports.op = &operator_;
}

bool ControllerSession::Start(const std::string& workDir) {
  // Start-up switches the link on and loads the scripts: no command may land in its middle.
  CommandGate::Changing starting(gate_);
  SetProgramDefaults(controller_, workDir);
  if (options_.eventsFile && eventsPath_.empty()) AttachEventsFile(workDir);
  if (options_.history && !history_) StartHistory(workDir);
  const bool read = FLControlLoad(controller_, startupSteps_);
  if (history_) controller_.model.HistoryDays = history_->RetentionDays();
  return read;
}

void ControllerSession::StartHistory(const std::string& workDir) {
  HistoryRecorderOptions historyOptions;
  historyOptions.retentionDays =
      options_.historyDays > 0 ? options_.historyDays : ReadRetentionDays(workDir);
  historyOptions.vfs = options_.historyVfs;
  history_ = std::make_unique<HistoryRecorder>(
      workDir,
      [this](const std::string& text, bool fault) {
        if (fault) {
          RaiseEvent(controller_, EventKind::Control, text);
        } else {
          NoteEvent(controller_, EventKind::Control, text);
        }
      },
      historyOptions);
}

void ControllerSession::RecordCycle(const DateTime& start, double startSeconds) {
  // A controller without a clock has no time to stamp its cycles with.
  if (!history_ || !controller_.ports.clock->Runs()) return;
  // The settings panel may have changed the days kept.
  if (controller_.model.HistoryDays > 0) history_->SetRetentionDays(controller_.model.HistoryDays);
  history_->Record(CaptureCycle(controller_, start, startSeconds, cycleError_, cycleErrorStep_),
                   CaptureConfig(controller_.model), controller_.ports.clock->Now());
}

void ControllerSession::AttachEventsFile(const std::string& workDir) {
  eventsPath_ = workDir + "/" + kEventsFileName;
  controller_.events.SetSink([this](const EventEntry& entry) {
    std::string error;
    if (AppendToEventsFile(EventLineText(entry), &error)) {
      eventsFileFailing_ = false;
    } else if (!eventsFileFailing_) {
      // Said once, in the window's log: control goes on without the file.
      eventsFileFailing_ = true;
      NoteEvent(controller_, EventKind::Control, "The events file cannot be written: " + error);
    }
  });
}

void ControllerSession::RunCycle() { gate_.RequestCycle(); }

void ControllerSession::CycleThenAfter() {
  if (history_) {
    // The cycle's first error goes into its history record; whoever listened before still hears.
    cycleError_.clear();
    // The row is stamped with the time the cycle started, as the link files stamp it.
    Clock& clock = *controller_.ports.clock;
    const double startSeconds = clock.SecondsOfDay();
    const DateTime start = clock.Now();
    auto listener = cycleSteps_.runTimeErrorReported;
    cycleSteps_.runTimeErrorReported = [this, listener](Controller& c, const std::string& text) {
      if (cycleError_.empty()) {
        cycleError_ = text;
        cycleErrorStep_ = c.model.ErrorStep;
      }
      if (listener) listener(c, text);
    };
    Timer1Tick(controller_, cycleSteps_, engineMemo_);
    cycleSteps_.runTimeErrorReported = std::move(listener);
    RecordCycle(start, startSeconds);
  } else {
    Timer1Tick(controller_, cycleSteps_, engineMemo_);
  }
  for (const auto& step : afterCycle_) step(controller_);
}

void ControllerSession::LoadScripts() {
  StartupSteps scriptSteps;
  scriptSteps.loadPreScript = startupSteps_.loadPreScript;
  scriptSteps.loadPostScript = startupSteps_.loadPostScript;
  scriptSteps.clearScriptStore = startupSteps_.clearScriptStore;
  RunScriptStartupSteps(controller_, scriptSteps);
}

bool ControllerSession::RunCommand(const std::string& name) {
  const auto found = commands_.find(name);
  if (found == commands_.end() || !found->second) return false;
  gate_.Submit(CommandKindOf(name), [this, name] { RunMenuCommand(controller_, commands_, name); });
  return true;
}

}  // namespace kavro
