#pragma once
// One running controller with its window: the Qt ports, the controller, the main window, the
// hooks through which the cycle and start-up reach the link, the scripts and the window, and the
// menu commands. main() makes one; the window tests make one each.
#include <QObject>
#include <memory>
#include <string>

#include "display/MenuCommands.h"
#include "engine/CycleSteps.h"
#include "engine/Startup.h"
#include "model/Controller.h"
#include "ui/QtPorts.h"

namespace kavro::ui {

class FLControl;

class ControllerHost : public QObject {
  Q_OBJECT
 public:
  ControllerHost();
  ~ControllerHost() override;

  // Start-up: the program defaults, then the window's load handler, then the window is shown.
  // The first control cycle follows 2 s later on Timer1.
  void Start(const std::string& workDir);
  // One tick of Timer1: one control cycle, then the window is drawn.
  void RunCycle();

  Controller& controller() { return controller_; }
  FLControl& window() { return *window_; }
  CycleSteps& cycleSteps() { return cycleSteps_; }
  StartupSteps& startupSteps() { return startupSteps_; }
  MenuCommandTable& commands() { return commands_; }
  QtCycleTimer& timer() { return timer_; }

 signals:
  // File / Exit was confirmed; the timer is stopped and no further cycle runs.
  void Ended();

 private:
  QtOperator operator_;
  QtClock clock_;
  QtEventPump pump_;
  QtCycleTimer timer_;
  QtProcessStarter processes_;
  QtClipboard clipboard_;
  Controller controller_;
  CycleSteps cycleSteps_;
  StartupSteps startupSteps_;
  MenuCommandTable commands_;
  std::unique_ptr<FLControl> window_;
};

}  // namespace kavro::ui
