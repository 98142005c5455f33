#include "ui/SettingsPanel.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "display/ControllerSettingsView.h"

namespace kavro::ui {

SettingsPanel::SettingsPanel(ControllerSettingsPanel& panel, std::function<void(int)> leaveBox,
                             std::function<void()> ok, QWidget* parent)
    : QGroupBox("FLC-Config", parent), panel_(panel) {
  setObjectName("frameConfig2");
  auto* layout = new QFormLayout(this);
  for (int i = 0; i < ControllerSettingsPanel::kBoxes; ++i) {
    auto* box = new QLineEdit(this);
    box->setObjectName("Text1");
    box->setProperty("index", i);
    connect(box, &QLineEdit::textEdited, this, [this, i](const QString& text) {
      panel_.Text1[static_cast<size_t>(i)] = text.toStdString();
    });
    connect(box, &QLineEdit::editingFinished, this, [leaveBox, i] { leaveBox(i); });
    auto* caption = new QLabel(kSettingsCaptions[static_cast<size_t>(i)], this);
    caption->setObjectName("Label2");
    layout->addRow(caption, box);
    boxes_.push_back(box);
  }
  history_ = new QLineEdit(this);
  history_->setObjectName("txtHistoryDays");
  connect(history_, &QLineEdit::textEdited, this,
          [this](const QString& text) { panel_.historyDays = text.toStdString(); });
  layout->addRow(new QLabel("History Days", this), history_);
  auto* okay = new QPushButton("OKAY", this);
  okay->setObjectName("cmdOK2");
  connect(okay, &QPushButton::clicked, this, [ok] { ok(); });
  layout->addRow(okay);
  hide();
}

void SettingsPanel::Render() {
  setVisible(panel_.visible);
  for (int i = 0; i < ControllerSettingsPanel::kBoxes; ++i) {
    const QString text = QString::fromStdString(panel_.Text1[static_cast<size_t>(i)]);
    if (boxes_[static_cast<size_t>(i)]->text() != text) boxes_[static_cast<size_t>(i)]->setText(text);
  }
  const QString days = QString::fromStdString(panel_.historyDays);
  if (history_->text() != days) history_->setText(days);
}

}  // namespace kavro::ui
