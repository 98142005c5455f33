#pragma once
// The event log behind the notice panel: every cycle error, move-limit override and link event
// of this run, newest last, in a window that stays open beside the main window.
#include <QDialog>

#include "model/EventLog.h"

class QTreeWidget;

namespace kavro::ui {

class EventLogView : public QDialog {
  Q_OBJECT
 public:
  EventLogView(const EventLog& log, QWidget* parent = nullptr);
  // Refills the list when the log has changed since the last refresh.
  void Refresh();
  int RowCount() const;

 private:
  const EventLog& log_;
  QTreeWidget* list_;
  // The log's revision the list shows; the list starts empty, as the log does.
  std::uint64_t shownRevision_ = 0;
};

}  // namespace kavro::ui
