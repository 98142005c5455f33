#pragma once
// The audit trail: every change an operator makes to the running controller, one line each in
// WorkDir/kavro-audit.log, for management of change (who changed what, when). The log is only
// ever appended to: a line is written whole in one write and flushed, and nothing rewrites it.
// A failed append must not stop control, so it is noted once in the event log and work goes on.
#include <string>
#include <vector>

#include "common/ports/FileSystem.h"
#include "common/ports/PortRef.h"
#include "model/Controller.h"

namespace kavro {

inline constexpr const char* kAuditFileName = "kavro-audit.log";

// Where the trail's lines go and who and when they are about. The system side appends through
// the file system port and reads the local clock and the login name; tests record and fail on
// purpose.
class AuditSink {
 public:
  virtual ~AuditSink() = default;
  // Appends bytes to the end of the file in one write, creating it when missing, and flushes.
  virtual bool Append(const std::string& path, const std::string& bytes) = 0;
  // The present local time in ISO 8601 with its offset: "2026-12-07T03:04:05+01:00".
  virtual std::string Timestamp() = 0;
  virtual std::string LoginName() = 0;
};

// Each line appended whole through the controller's file system port (whichever it points at
// when the line is written) and on the disk before the change goes on.
class SystemAuditSink final : public AuditSink {
 public:
  explicit SystemAuditSink(const PortRef<FileSystem>& files) : files_(files) {}
  bool Append(const std::string& path, const std::string& bytes) override;
  std::string Timestamp() override;
  std::string LoginName() override;

 private:
  const PortRef<FileSystem>& files_;
};

// One line of the trail, fields separated by tabs and ending in LF: time, login name, what
// changed, old value, new value. Tabs, CR and LF inside a field become blanks, so a typed value
// can never split a line or add a field.
std::string AuditLine(const std::string& time, const std::string& login, const std::string& what,
                      const std::string& oldValue, const std::string& newValue);

// WorkDir + "/kavro-audit.log".
std::string AuditPath(const ControllerModel& model);

class AuditTrail {
 public:
  AuditTrail(Controller& controller, AuditSink& sink) : controller_(controller), sink_(sink) {}

  // Appends one line when the value changed; an unchanged value is no change and leaves no line.
  void Record(const std::string& what, const std::string& oldValue, const std::string& newValue);

 private:
  Controller& controller_;
  AuditSink& sink_;
  bool failureNoted_ = false;  // the event log hears of a failing trail once, not every change
};

// The trail's lines, newest first, for the audit view; empty when there is no trail yet.
std::vector<std::string> AuditLinesNewestFirst(FileSystem& files, const std::string& path);

}  // namespace kavro
