#include "history/HistoryRecorder.h"

namespace kavro {

HistoryRecorder::HistoryRecorder(std::string workDir, HistoryWriter::Tell tell,
                                 HistoryRecorderOptions options)
    : tell_(std::move(tell)),
      retentionDays_(options.retentionDays),
      writer_(std::move(workDir),
              [this](const std::string& text, bool fault) {
                // On the writer's thread: told later on the caller's.
                heard_.emplace_back(text, fault);
              },
              std::move(options)),
      thread_([this] { Work(); }) {}

HistoryRecorder::~HistoryRecorder() {
  {
    std::unique_lock lock(mutex_);
    WaitIdle(lock);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void HistoryRecorder::WaitIdle(std::unique_lock<std::mutex>& lock) {
  changed_.wait(lock, [this] { return !job_; });
}

void HistoryRecorder::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return job_ || stopping_; });
    if (!job_) return;
    // Written without the lock: the caller leaves the row in hand alone until it is done.
    lock.unlock();
    writer_.SetRetentionDays(job_->retentionDays);
    writer_.Record(job_->record, job_->config, job_->now);
    lock.lock();
    for (auto& line : heard_) toTell_.push_back(std::move(line));
    heard_.clear();
    job_.reset();
    changed_.notify_all();
  }
}

void HistoryRecorder::TellWhatCameIn() {
  std::vector<std::pair<std::string, bool>> lines;
  {
    std::lock_guard lock(mutex_);
    lines.swap(toTell_);
  }
  for (const auto& [text, fault] : lines) tell_(text, fault);
}

void HistoryRecorder::Record(const CycleRecord& record, const ConfigRevision& config,
                             const DateTime& now) {
  {
    std::unique_lock lock(mutex_);
    WaitIdle(lock);
    job_ = Job{record, config, now, retentionDays_};
  }
  changed_.notify_all();
  TellWhatCameIn();
}

void HistoryRecorder::Flush() {
  {
    std::unique_lock lock(mutex_);
    WaitIdle(lock);
  }
  TellWhatCameIn();
}

}  // namespace kavro
