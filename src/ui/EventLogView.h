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
  void Refresh();
  int RowCount() const;

 private:
  const EventLog& log_;
  QTreeWidget* list_;
};

}  // namespace kavro::ui
