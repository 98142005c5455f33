#pragma once
// One controller's life: the one place that wires the parts of the core together. It fills the
// control cycle's steps, the start-up steps and the menu command table, owns the link that is
// switched on, and runs start-up, the cycles and the commands. The window (ui/), the replay and
// the tests all start a controller through it, so they run the same wiring; ControllerBuilder
// puts the ports and the session together.
//
// The session owns the controller's one script host: start-up loads both scripts and clears the
// script store, the cycle runs them, and the &Script menu's toggles switch them.
//
//
// The link, whichever kind MakeLink (link/LinkFactory.cpp) chose at switch-on, is reached
// through link() by the cycle, the link commands and the link debug panel (mnuDebugLink,
// cmdHide, cycleSteps().refreshLinkPanel).
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/WorkDirLock.h"

#include "edit/AuditTrail.h"
#include "edit/EditState.h"
#include "engine/CycleSteps.h"
#include "engine/EngineMemo.h"
#include "history/HistoryRecorder.h"
#include "link/ActiveLink.h"
#include "model/Controller.h"
#include "scripting/host/ScriptHost.h"
#include "session/CommandGate.h"
#include "session/GatedOperator.h"
#include "session/MenuCommands.h"
#include "session/Startup.h"

namespace kavro {

struct SessionOptions {
  // Lays the window's controls out for the screen (start-up step 6); none without a window.
  std::function<void(Controller&)> layoutWindow;
  // Whether the link takes part: off for the replay, which runs with the link off.
  bool withLink = true;
  // Whether the cycle refreshes the window's status display.
  bool refreshWindow = true;
  // Whether each cycle writes its last run, read and write times into the status captions
  // (Label5); a run without a window has no one to read them.
  bool showCycleTimes = true;
  // Whether every event is also appended to WorkDir/kavro-events.log.
  bool eventsFile = true;
  // Whether the pre- and post-process scripts of the working folder take part.
  bool withScripts = true;
  // Where the audit trail's lines go; the system's own (WorkDir/kavro-audit.log) when none.
  AuditSink* auditSink = nullptr;
  // Which link a switch-on makes: the configured kind (tests give links of their own).
  LinkFactory linkFactory = MakeLink;
  // Whether every cycle is appended to WorkDir/kavro-history.sqlite.
  bool history = true;
  // Days it keeps (0: as the working folder keeps them) and SQLite's system layer (tests).
  int historyDays = 0;
  std::string historyVfs{};

  // A headless run over recorded data: no link, no window, nothing written to WorkDir.
  static SessionOptions ForReplay() {
    SessionOptions options;
    options.withLink = false;
    options.refreshWindow = false;
    options.showCycleTimes = false;
    options.eventsFile = false;
    options.history = false;
    return options;
  }
};

// The events file in WorkDir and the size at which it is moved to kavro-events.log.1.
inline constexpr const char* kEventsFileName = "kavro-events.log";
inline constexpr std::uintmax_t kEventsFileMaxBytes = 8u * 1024 * 1024;
inline constexpr LogRule kEventsFileRule{kEventsFileMaxBytes, false};

class ControllerSession {
 public:
  explicit ControllerSession(Controller& controller, SessionOptions options = {});
  ~ControllerSession();
  // The steps and commands hold on to this session: it stays where it was made.
  ControllerSession(const ControllerSession&) = delete;
  ControllerSession& operator=(const ControllerSession&) = delete;

  // One controller per working folder: takes the folder's lock before anything in it is
  // touched. On refusal the result is the message for the operator (and nothing was changed);
  // nothing when this session now holds the folder. Held until the session ends.
  std::optional<std::string> ClaimWorkDir(const std::string& workDir);
  // A line of its own in the events file (the headless service's messages for the operator),
  // through the one appender that owns the file; nothing before the folder is claimed or
  // without an events file. Returns false with the reason when the line could not be written.
  bool AppendToEventsFile(const std::string& line, std::string* failure);

  // Start-up: the program defaults, then the main window's load handler (FLControl_Load).
  // Returns false when FLC.dat failed to read.
  bool Start(const std::string& workDir);
  // One tick of Timer1: one control cycle through the gate (see CommandGate), then
  // afterCycle. A tick while a command changes the controller runs as that command ends.
  void RunCycle();
  // One more thing to do after each cycle, after those added before (the window draws itself,
  // a recorder keeps the cycle); nothing by default.
  void AddAfterCycle(std::function<void(Controller&)> step) {
    afterCycle_.push_back(std::move(step));
  }
  // Runs the menu command of that control name through the gate; false when there is none.
  // A command that changes the controller waits for the end of a cycle in progress.
  bool RunCommand(const std::string& name);
  // Any other operator's action on the controller (an edit, a panel's OKAY) through the gate.
  // The work may run later: it captures what it needs by value.
  void Submit(CommandKind kind, CommandGate::Work work) { gate_.Submit(kind, std::move(work)); }
  CommandGate& gate() { return gate_; }
  // The operator who answers the controller's questions; the session sees each of them as a
  // wait, during which cycles run on.
  void UseOperator(Operator& op);
  // Start-up's script steps on their own: both scripts loaded from their files (with the
  // operator's messages for a failed load), then the script store cleared. For a session that
  // takes over a controller another one started, as the replay's cycles do.
  void LoadScripts();

  Controller& controller() { return controller_; }
  ActiveLink& link() { return link_; }
  CycleSteps& cycleSteps() { return cycleSteps_; }
  StartupSteps& startupSteps() { return startupSteps_; }
  MenuCommandTable& commands() { return commands_; }
  EngineMemo& engineMemo() { return engineMemo_; }
  ScriptHost& scriptHost() { return scriptHost_; }
  AuditTrail& audit() { return audit_; }
  // What the configuration editing controls of the window show.
  ConfigEditState& edits() { return edits_; }
  // The plant history's recorder once started; nothing without a history.
  HistoryRecorder* history() { return history_.get(); }

 private:
  void AttachEventsFile(const std::string& workDir);
  void CycleThenAfter();
  void StartHistory(const std::string& workDir);
  void RecordCycle(const DateTime& start, double startSeconds);
  // The operator's commands that change the running controller leave a line in the audit trail.
  void AuditOperatorCommands();
  // Wraps the command of that menu item so that the value it changes goes into the audit trail.
  void AuditCommand(const std::string& name, const std::string& what,
                    std::function<std::string(const Controller&)> value);

  Controller& controller_;
  SessionOptions options_;
  std::vector<std::function<void(Controller&)>> afterCycle_;
  CommandGate gate_;
  GatedOperator operator_;
  WorkDirLock workDirLock_;
  std::string eventsPath_;  // empty until the events file is attached
  bool eventsFileFailing_ = false;
  ActiveLink link_;
  ScriptHost scriptHost_;
  CycleSteps cycleSteps_;
  StartupSteps startupSteps_;
  MenuCommandTable commands_;
  EngineMemo engineMemo_;
  SystemAuditSink systemAudit_;
  AuditTrail audit_;
  ConfigEditState edits_;
  std::unique_ptr<HistoryRecorder> history_;
  // The first run-time error reported in the cycle running, and its step.
  std::string cycleError_;
  int cycleErrorStep_ = 0;
};

}  // namespace kavro
