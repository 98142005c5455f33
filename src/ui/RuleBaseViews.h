#pragma once
// The windows an engineer tunes the rule base with, opened from the Calc menu: Rule Firing
// (refreshed after each cycle while it is open) and Control Surface. They stand beside the main
// window and close with it.
#include <QObject>
#include <QPointer>
#include <functional>

#include "model/Controller.h"
#include "session/MenuCommands.h"

class QWidget;

namespace kavro::ui {

class HistoryTrendWindow;
class RuleFiringWindow;
class SurfaceWindow;

class RuleBaseViews : public QObject {
  Q_OBJECT
 public:
  // Adds "mnuRuleFiring", "mnuControlSurface" and "mnuTrendHistory" to commands; the windows
  // belong to mainWindow.
  // submitTrend runs the trend window's gestures as the main window's run.
  RuleBaseViews(Controller& controller, MenuCommandTable& commands, QWidget* mainWindow,
                std::function<void(std::function<void()>)> submitTrend);

  void OpenRuleFiring();
  void OpenSurface();
  void OpenTrendHistory();
  // After a cycle: the open rule-firing window shows it, the trend history the trend anew.
  void Refresh();

  // The windows once opened; null before.
  RuleFiringWindow* RuleFiring() const;
  SurfaceWindow* Surface() const;
  HistoryTrendWindow* TrendHistory() const;

 private:
  Controller& c_;
  QWidget* mainWindow_;
  std::function<void(std::function<void()>)> submitTrend_;
  QPointer<RuleFiringWindow> ruleFiring_;
  QPointer<SurfaceWindow> surface_;
  QPointer<HistoryTrendWindow> trendHistory_;
};

}  // namespace kavro::ui
