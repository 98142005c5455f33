#pragma once
// The script editor window, one class for both scripts (frmPreProcess / frmPostProcess): it shows
// a ScriptEditor's state and passes the user's actions to it. Non-modal; the main window is kept
// out of the user's reach by whoever opens it, until Closed.
#include <QWidget>
#include <memory>

#include "display/ScriptEditor.h"
#include "session/CommandGate.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kavro::ui {

class ScriptPad;

class ScriptEditorWindow : public QWidget {
  Q_OBJECT
 public:
  // Save and close reach the controller through gate, never in the middle of a cycle.
  ScriptEditorWindow(Controller& controller, ScriptHost& host, ScriptKind kind, CommandGate& gate,
                     QWidget* parent = nullptr);
  ~ScriptEditorWindow() override;

  ScriptEditor& editor() { return *editor_; }
  ScriptPad* Pad() const { return pad_; }
  QListWidget* CallList() const { return calls_; }
  QLabel* StatusLine() const { return status_; }

 signals:
  // A save ran: the main window shows the script's switch as the save left it.
  void Saved();
  // The window is closing: the editor has saved if asked to and let go of its hold.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowPadText(const std::string& text);
  void ShowCalls();
  void ShowStatus();
  void InsertCall(int row);
  void Save();
  void Revert();
  void Check();

  Controller& controller_;
  CommandGate& gate_;
  // Shared with a save or close that waits for the end of a cycle: it may outlive the window.
  std::shared_ptr<ScriptEditor> editor_;
  ScriptPad* pad_;
  QCheckBox* accept_;
  QListWidget* calls_;
  QLabel* status_;
  bool showing_ = false;  // the pad is being filled from the editor, not typed in
};

}  // namespace kavro::ui
