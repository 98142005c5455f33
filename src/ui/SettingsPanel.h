#pragma once
// The controller settings panel (frameConfig2 "FLC-Config"): the eleven Text1 boxes with their
// captions, the days of plant history kept, and the OKAY button. It shows the core's panel state, copies what is typed back into
// it, and hands leaving a box and OKAY to the core.
#include <QGroupBox>
#include <functional>
#include <vector>

#include "edit/EditState.h"

class QLineEdit;

namespace kavro::ui {

class SettingsPanel : public QGroupBox {
  Q_OBJECT
 public:
  SettingsPanel(ControllerSettingsPanel& panel, std::function<void(int box)> leaveBox,
                std::function<void()> ok, QWidget* parent = nullptr);
  void Render();
  QLineEdit* Box(int index) const { return boxes_[static_cast<size_t>(index)]; }
  QLineEdit* HistoryDaysBox() const { return history_; }

 private:
  ControllerSettingsPanel& panel_;
  std::vector<QLineEdit*> boxes_;
  QLineEdit* history_;
};

}  // namespace kavro::ui
