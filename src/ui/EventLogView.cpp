#include "ui/EventLogView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QStringList>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/ViewClose.h"

namespace kavro::ui {

EventLogView::EventLogView(const EventLog& log, AuditLines auditLines, QWidget* parent)
    : QDialog(parent),
      log_(log),
      auditLines_(std::move(auditLines)),
      tabs_(new QTabWidget(this)),
      list_(new QTreeWidget(tabs_)),
      audit_(new QTreeWidget(tabs_)) {
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
  list_->setObjectName("events");
  audit_->setObjectName("auditTrail");
  audit_->setColumnCount(5);
  audit_->setHeaderLabels({"Time", "Login", "Changed", "Old", "New"});
  audit_->setRootIsDecorated(false);
  for (int col : {0, 1, 2}) audit_->header()->setSectionResizeMode(col, QHeaderView::ResizeToContents);
  tabs_->addTab(list_, "Events");
  tabs_->addTab(audit_, "Audit trail");
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
    if (tabs_->widget(tab) == audit_) RefreshAudit();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  AddCloseButton(this, buttons);
  layout->addLayout(buttons);
  resize(900, 420);
}

void EventLogView::RefreshAudit() {
  audit_->clear();
  if (!auditLines_) return;
  for (const std::string& line : auditLines_()) {
    // Time, login, what, old and new value, separated by tabs.
    audit_->addTopLevelItem(new QTreeWidgetItem(QString::fromStdString(line).split('\t')));
  }
}

void EventLogView::Refresh() {
  // The trail is a file: read again only while the operator looks at it.
  if (tabs_->currentWidget() == audit_) RefreshAudit();
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
