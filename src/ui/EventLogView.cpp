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
  list_->setColumnCount(5);
  list_->setHeaderLabels({"Time", "Kind", "Title", "Event", "Times"});
  list_->setRootIsDecorated(false);
  list_->setWordWrap(true);
  // Every column but the event's text is as wide as its widest entry, so nothing is cut; the
  // text takes the rest and wraps.
  for (int col : {0, 1, 2, 4})
    list_->header()->setSectionResizeMode(col, QHeaderView::ResizeToContents);
  list_->header()->setSectionResizeMode(3, QHeaderView::Stretch);
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
  // Newest first: the operator reads what happened last at the top.
  for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
    QString text = QString::fromStdString(e->text);
    text.replace("\r\n", "\n");
    auto* item = new QTreeWidgetItem(
        list_, {QString::fromStdString(e->when), QString::fromLatin1(EventKindText(e->kind)),
                QString::fromStdString(e->title), text, QString::number(e->repeats)});
    item->setTextAlignment(4, Qt::AlignRight);
  }
}

int EventLogView::RowCount() const {
  return list_->topLevelItemCount();
}

}  // namespace kavro::ui
