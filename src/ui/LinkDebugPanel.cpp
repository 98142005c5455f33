#include "ui/LinkDebugPanel.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "ui/ViewClose.h"

namespace kavro::ui {
namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QListWidget* NewList(const char* name, QWidget* parent) {
  auto* list = Named(new QListWidget(parent), name);
  list->setFont(QFont("DejaVu Sans Mono"));
  list->setMinimumHeight(90);
  return list;
}

// Replaces the list's lines only when they changed, so the operator's scroll position holds.
void ShowLines(QListWidget* list, const std::vector<std::string>& lines) {
  bool same = list->count() == static_cast<int>(lines.size());
  for (int i = 0; same && i < list->count(); ++i) {
    same = list->item(i)->text().toStdString() == lines[static_cast<std::size_t>(i)];
  }
  if (same) return;
  list->clear();
  for (const std::string& line : lines) list->addItem(QString::fromStdString(line));
}

void ShowProgress(QProgressBar* bar, int maximum, int value) {
  bar->setRange(0, std::max(maximum, 1));
  bar->setValue(std::clamp(value, 0, std::max(maximum, 1)));
}

}  // namespace

LinkDebugPanel::LinkDebugPanel(LinkPanelState& state,
                               std::function<void(const std::string&)> runCommand, QWidget* parent)
    : QGroupBox("LinkDebug", parent), state_(state), runCommand_(std::move(runCommand)) {
  setObjectName("Frame1");
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(new QLabel("Read Tags", this), 0, 0);
  layout->addWidget(new QLabel("Write Tags", this), 0, 1);
  lstRead_ = NewList("lstRead", this);
  lstWrite_ = NewList("lstWrite", this);
  lstLinkMsg_ = NewList("lstLinkMsg", this);
  layout->addWidget(lstRead_, 1, 0);
  layout->addWidget(lstWrite_, 1, 1);
  layout->addWidget(lstLinkMsg_, 1, 2);
  lblCountRead_ = Named(new QLabel("0/0", this), "lblCountRead");
  lblCountWrite_ = Named(new QLabel("0/0", this), "lblCountWrite");
  ProgressBarRead_ = Named(new QProgressBar(this), "ProgressBarRead");
  ProgressBarWrite_ = Named(new QProgressBar(this), "ProgressBarWrite");
  layout->addWidget(ProgressBarRead_, 2, 0);
  layout->addWidget(ProgressBarWrite_, 2, 1);
  layout->addWidget(lblCountRead_, 3, 0);
  layout->addWidget(lblCountWrite_, 3, 1);
  lblLastRead_ = Named(new QLabel("Last Read:", this), "lblLastRead");
  lblLastWrite_ = Named(new QLabel("Last Write:", this), "lblLastWrite");
  layout->addWidget(lblLastRead_, 4, 0);
  layout->addWidget(lblLastWrite_, 4, 1);
  chkTagsNotFound_ = Named(new QCheckBox("Tags Not Found", this), "chkTagsNotFound");
  layout->addWidget(chkTagsNotFound_, 2, 2);
  layout->addWidget(Named(new QLabel("Refreshed at Run Freq (not Link Freq) Rate", this), "Label6"),
                    3, 2);
  cmdHide_ = Named(new QPushButton("HIDE", this), "cmdHide");
  layout->addWidget(cmdHide_, 4, 2);
  connect(chkTagsNotFound_, &QCheckBox::toggled, this,
          [this](bool ticked) { state_.chkTagsNotFound = ticked; });
  connect(cmdHide_, &QPushButton::clicked, this, [this] { runCommand_("cmdHide"); });
  CloseWithEscape(this, [this] { runCommand_("cmdHide"); });
  hide();
}

void LinkDebugPanel::Render() {
  setVisible(state_.visible);
  if (!state_.visible) return;
  const LinkPanelLines& lines = state_.lines;
  ShowLines(lstRead_, lines.lstRead);
  ShowLines(lstWrite_, lines.lstWrite);
  ShowLines(lstLinkMsg_, lines.lstLinkMsg);
  if (chkTagsNotFound_->isChecked() != state_.chkTagsNotFound) {
    chkTagsNotFound_->setChecked(state_.chkTagsNotFound);
  }
  lblCountRead_->setText(QString::fromStdString(lines.lblCountRead));
  lblCountWrite_->setText(QString::fromStdString(lines.lblCountWrite));
  ShowProgress(ProgressBarRead_, lines.progressReadMax, lines.progressReadValue);
  ShowProgress(ProgressBarWrite_, lines.progressWriteMax, lines.progressWriteValue);
  lblLastRead_->setText(QString::fromStdString(state_.lblLastRead));
  lblLastWrite_->setText(QString::fromStdString(state_.lblLastWrite));
}

}  // namespace kavro::ui
