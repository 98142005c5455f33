#pragma once
// The plant history beside the control cycle: each cycle's row is handed to a writer thread that
// commits and syncs it (HistoryWriter.h) while the controller waits for its next cycle, so a
// slow disk never holds up control. The next row waits until the one before is committed: a
// kill or a power loss loses at most the cycle being written. What the writer has to tell (a
// fault, its end) is told on the caller's thread, at the next row or at Flush.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "history/HistoryWriter.h"

namespace kavro {

class HistoryRecorder {
 public:
  HistoryRecorder(std::string workDir, HistoryWriter::Tell tell,
                  HistoryRecorderOptions options = {});
  // Waits for the row in hand to be committed.
  ~HistoryRecorder();
  HistoryRecorder(const HistoryRecorder&) = delete;
  HistoryRecorder& operator=(const HistoryRecorder&) = delete;

  // Hands the cycle over once the row before it is committed. Never throws.
  void Record(const CycleRecord& record, const ConfigRevision& config, const DateTime& now);
  // Waits until every row handed over is written, then tells what there is to tell.
  void Flush();
  void SetRetentionDays(int days) { retentionDays_ = days; }
  int RetentionDays() const { return retentionDays_; }

 private:
  struct Job {
    CycleRecord record;
    ConfigRevision config;
    DateTime now;
    int retentionDays = 0;
  };
  void Work();
  void WaitIdle(std::unique_lock<std::mutex>& lock);
  void TellWhatCameIn();

  HistoryWriter::Tell tell_;
  int retentionDays_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<Job> job_;  // the row in hand
  bool stopping_ = false;
  std::vector<std::pair<std::string, bool>> toTell_;
  std::vector<std::pair<std::string, bool>> heard_;  // the writer thread's own
  HistoryWriter writer_;  // used by the thread only
  std::thread thread_;
};

}  // namespace kavro
