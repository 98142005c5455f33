#pragma once
// The link debug panel Frame1 "LinkDebug": draws the core's LinkPanelState (the read and write
// lists, the connection log, the counts and progress bars, the last read and write) and hands
// HIDE to the cmdHide command. The "Tags Not Found" box only records its tick; the next refresh
// lists accordingly.
#include <QGroupBox>
#include <functional>
#include <string>

#include "display/LinkPanel.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace kavro::ui {

class LinkDebugPanel : public QGroupBox {
  Q_OBJECT
 public:
  // runCommand runs a command of the window by its control name.
  LinkDebugPanel(LinkPanelState& state, std::function<void(const std::string&)> runCommand,
                 QWidget* parent = nullptr);

  // Shows or hides the panel as the state says and draws its contents while shown.
  void Render();

 private:
  LinkPanelState& state_;
  std::function<void(const std::string&)> runCommand_;
  QListWidget* lstRead_ = nullptr;
  QListWidget* lstWrite_ = nullptr;
  QListWidget* lstLinkMsg_ = nullptr;
  QCheckBox* chkTagsNotFound_ = nullptr;
  QLabel* lblLastRead_ = nullptr;
  QLabel* lblLastWrite_ = nullptr;
  QLabel* lblCountRead_ = nullptr;
  QLabel* lblCountWrite_ = nullptr;
  QProgressBar* ProgressBarRead_ = nullptr;
  QProgressBar* ProgressBarWrite_ = nullptr;
  QPushButton* cmdHide_ = nullptr;
};

}  // namespace kavro::ui
