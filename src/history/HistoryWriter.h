#pragma once
// Appends one row per control cycle to WorkDir/kavro-history.sqlite, each committed and synced
// on its own (write-ahead log), so a kill or a power loss loses at most the row being written.
// A failure of the file (full disk, read-only, locked) is told once and the rows that follow
// are dropped until one finds the fault cleared; a damaged file is renamed aside and a new one
// started. Records older than the retention period go a small batch at a time with each row.
// The recorder (HistoryWriter.h) runs it beside the cycle.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/DateText.h"
#include "history/CycleRecord.h"

namespace kavro {

inline constexpr int kDefaultRetentionDays = 400;

struct HistoryRecorderOptions {
  int retentionDays = kDefaultRetentionDays;
  int deleteBatch = 500;  // rows removed after one cycle at most
  std::string vfs{};      // SQLite's system layer by name; the tests' faulty one
};

class HistoryWriter {
 public:
  // A fault begins (fault true: the operator must see it) or ends (false).
  using Tell = std::function<void(const std::string& text, bool fault)>;

  HistoryWriter(std::string workDir, Tell tell, HistoryRecorderOptions options = {});
  ~HistoryWriter();
  HistoryWriter(const HistoryWriter&) = delete;
  HistoryWriter& operator=(const HistoryWriter&) = delete;

  // Stores the cycle, and the configuration first when it is not the one last stored. now
  // names a damaged file put aside. Never throws.
  void Record(const CycleRecord& record, const ConfigRevision& config, const DateTime& now);
  // Stores count rows made by row(0) .. row(count - 1) in one transaction, under one
  // configuration: a history filled at once (an import, a test, a benchmark). Throws
  // SqliteError; nothing is stored on failure.
  void RecordMany(long count, const std::function<CycleRecord(long)>& row,
                  const ConfigRevision& config);
  void SetRetentionDays(int days) { options_.retentionDays = days; }
  int RetentionDays() const { return options_.retentionDays; }
  bool Failing() const { return failing_; }

 private:
  struct Connection;
  void Open();
  void Store(const CycleRecord& record, const ConfigRevision& config);
  // One transaction: the configuration's revision first when it changed, then work.
  void Transaction(std::int64_t timeMs, const ConfigRevision& config,
                   const std::function<void(int revision)>& work);
  void PutAside(const DateTime& now);
  void Fail(const std::string& reason);

  std::string path_;
  Tell tell_;
  HistoryRecorderOptions options_;
  std::unique_ptr<Connection> connection_;
  bool failing_ = false;
};

}  // namespace kavro
