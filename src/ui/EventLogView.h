#pragma once
// The event log behind the notice panel: every cycle error, move-limit override and link event
// of this run, newest first, in a window that stays open beside the main window; a second tab
// shows the audit trail, the operators' changes from WorkDir/kavro-audit.log, newest first.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "model/EventLog.h"

class QTabWidget;
class QTreeWidget;

namespace kavro::ui {

class EventLogView : public QDialog {
  Q_OBJECT
 public:
  using AuditLines = std::function<std::vector<std::string>()>;
  EventLogView(const EventLog& log, AuditLines auditLines, QWidget* parent = nullptr);
  // Refills the list when the log has changed since the last refresh, and the audit tab when
  // it is the one shown.
  void Refresh();
  // Reads the audit trail again into its tab.
  void RefreshAudit();
  int RowCount() const;
  QTreeWidget* AuditList() const { return audit_; }
  QTabWidget* Tabs() const { return tabs_; }

 private:
  const EventLog& log_;
  AuditLines auditLines_;
  QTabWidget* tabs_;
  QTreeWidget* list_;
  QTreeWidget* audit_;
  // The log's revision the list shows; the list starts empty, as the log does.
  std::uint64_t shownRevision_ = 0;
};

}  // namespace kavro::ui
