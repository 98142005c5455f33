#pragma once
// The main window FLControl: the main grid with the rule table, the output strip, the index and
// clamp labels, the trend area, the status frame, the menus, the calculation report list and
// the notice panel of the event log. It draws the core's window state and cell tables and
// turns clicks and keys into core commands; it decides nothing itself.
#include <QMainWindow>
#include <map>
#include <string>

#include "model/Controller.h"
#include "session/ControllerSession.h"
#include "session/MenuCommands.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QFrame;
class QPushButton;

namespace kavro::ui {

class CellGrid;
class ColumnStrip;
class EventLogView;
class GridEditBox;
class SettingsPanel;
class VariableEditorPanel;
class TrendPlotWidget;
class LinkDebugPanel;

class FLControl : public QMainWindow {
  Q_OBJECT
 public:
  explicit FLControl(ControllerSession& session, QWidget* parent = nullptr);
  ~FLControl() override;

  // Draws everything the core's state says: captions, colours, cells, menus, lists, notice.
  void Render();
  // Sizes the window for the screen it is on and centres it.
  void LayoutForScreen();
  // Runs the command of a menu item (as a click on it does) and draws the result.
  void RunCommand(const std::string& name);
  // Opens the event log beside the main window (it stays open while the operator works).
  void ShowEventLog();

  QAction* Action(const std::string& name) const;
  QMenu* MenuOf(const std::string& name) const;
  CellGrid* MainGrid() const { return grid_; }
  CellGrid* OutputStrip() const { return strip_; }
  QComboBox* RuleRowsSelector() const { return cmbDisplayRules_; }
  EventLogView* EventLog() const { return eventLog_; }
  SettingsPanel* Settings() const { return settings_; }
  VariableEditorPanel* VariableEditor() const { return variableEditor_; }
  QLabel* EditWarnings() const { return editWarnings_; }
  TrendPlotWidget* Trend() const { return trend_; }
  LinkDebugPanel* LinkPanel() const { return Frame1_; }

 signals:
  // File / Exit was confirmed: the program ends now.
  void ExitConfirmed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildTitleRow();
  QWidget* BuildStatusFrame();
  QWidget* BuildNoticePanel();
  QWidget* BuildEditorColumn(QWidget* parent);
  void RenderEditors();
  // Runs a core edit operation guarded, then draws the window.
  // A change of the controller from the window (an edit, a panel's OKAY, a click on a scale)
  // through the session's gate, then the window drawn; a failure is shown as a menu command's.
  // The operation may run after the cycle in progress: it captures by value.
  void Change(std::function<void()> operation);
  void Submit(CommandKind kind, std::function<void()> operation);
  void ArrangeColumns();
  void RenderMenus();
  void RenderLabels();
  void RenderNotice();
  void RenderDebugList();
  void ApplyRuleRowsText();

  ControllerSession& session_;
  Controller& c_;
  const MenuCommandTable& commands_;
  std::map<std::string, QAction*> actions_;
  std::map<std::string, QMenu*> menus_;
  QLabel* Label3_ = nullptr;
  QLabel* Label4_ = nullptr;
  QComboBox* cmbDisplayRules_ = nullptr;
  CellGrid* grid_ = nullptr;
  CellGrid* strip_ = nullptr;
  ColumnStrip* indexRow_ = nullptr;
  std::vector<QLabel*> lblVarIndex_;
  std::vector<QLabel*> lblClamp_;
  TrendPlotWidget* trend_ = nullptr;
  QGroupBox* frameStatus_ = nullptr;
  QLabel* lblMode_ = nullptr;
  QLabel* lblLink_ = nullptr;
  QLabel* lblErrorCode_ = nullptr;
  QLabel* lblPreScript_ = nullptr;
  QLabel* lblPostScript_ = nullptr;
  std::vector<QLabel*> Label5_;
  QListWidget* lstDebug_ = nullptr;
  QFrame* noticePanel_ = nullptr;
  QLabel* noticeText_ = nullptr;
  EventLogView* eventLog_ = nullptr;
  SettingsPanel* settings_ = nullptr;
  VariableEditorPanel* variableEditor_ = nullptr;
  QLabel* editWarnings_ = nullptr;
  GridEditBox* txtEdit1_ = nullptr;
  LinkDebugPanel* Frame1_ = nullptr;
  bool closing_ = false;
};

}  // namespace kavro::ui
