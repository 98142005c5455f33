#include "ui/EventLogView.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kavro::ui {

EventLogView::EventLogView(const EventLog& log, QWidget* parent)
    : QDialog(parent), log_(log), list_(new QTreeWidget(this)) {
  setObjectName("EventLogView");
  setWindowTitle("Kavro: Event Log");
  setModal(false);
  list_->setColumnCount(4);
  list_->setHeaderLabels({"Time", "Title", "Event", "Times"});
  list_->setRootIsDecorated(false);
  list_->setWordWrap(true);
  list_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  resize(900, 420);
}

void EventLogView::Refresh() {
  const auto& entries = log_.Entries();
  // Refilling on every cycle would throw away where the operator has scrolled to.
  if (log_.Revision() == shownRevision_) return;
  shownRevision_ = log_.Revision();
  list_->clear();
  for (const EventEntry& e : entries) {
    QString text = QString::fromStdString(e.text);
    text.replace("\r\n", "\n");
    auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(e.when),
                                             QString::fromStdString(e.title), text,
                                             QString::number(e.repeats)});
    item->setTextAlignment(3, Qt::AlignRight);
  }
  for (int col : {0, 1, 3}) list_->resizeColumnToContents(col);
  list_->scrollToBottom();
}

int EventLogView::RowCount() const { return list_->topLevelItemCount(); }

}  // namespace kavro::ui
