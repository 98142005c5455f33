#pragma once
// One running controller with its window: the Qt ports, the controller and its session (which
// wires the cycle, start-up and the menu commands), and the main window. main() makes one; the
// window tests make one each.
#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "link/PosixProcessStarter.h"
#include "model/Controller.h"
#include "session/ControllerBuilder.h"
#include "ui/QtPorts.h"
#include "ui/QtPrintAndCapture.h"

namespace kavro::ui {

class FLControl;
class RuleBaseViews;
class ScriptEditorWindow;

class ControllerHost : public QObject {
  Q_OBJECT
 public:
  ControllerHost();
  ~ControllerHost() override;

  // Start-up: the program defaults, then the window's load handler, then the window is shown.
  // The first control cycle follows 2 s later on Timer1.
  // False when another controller holds the folder: that was shown, and nothing was started.
  bool Start(const std::string& workDir);
  // One tick of Timer1: one control cycle, then the window is drawn.
  void RunCycle();

  Controller& controller() { return controller_; }
  FLControl& window() { return *window_; }
  ControllerSession& session() { return session_; }
  CycleSteps& cycleSteps() { return session_.cycleSteps(); }
  StartupSteps& startupSteps() { return session_.startupSteps(); }
  MenuCommandTable& commands() { return session_.commands(); }
  QtCycleTimer& timer() { return timer_; }
  QtPrintAndCapture& printing() { return printing_; }
  // The rule-firing and control-surface windows.
  RuleBaseViews& views() { return *views_; }
  // The script editor window that is open, if any.
  ScriptEditorWindow* scriptEditor();

 signals:
  // File / Exit was confirmed; the timer is stopped and no further cycle runs.
  void Ended();

 private:
  QtOperator operator_;
  QtClock clock_;
  QtEventPump pump_;
  QtCycleTimer timer_;
  PosixProcessStarter processes_;
  QtClipboard clipboard_;
  QtPrintAndCapture printing_;
  Controller controller_;
  BuiltController built_;
  ControllerSession& session_;
  std::unique_ptr<FLControl> window_;
  std::unique_ptr<RuleBaseViews> views_;
  QPointer<ScriptEditorWindow> scriptEditor_;

  // The window's ports and what it does after each cycle.
  ControllerParts WindowParts();
  // "P&reProcess Text" / "P&ostProcess Text": opens that script's editor, non-modal, with the
  // main window out of the user's reach until it closes; the control cycle runs on.
  void OpenScriptEditor(ScriptKind kind);
};

}  // namespace kavro::ui
