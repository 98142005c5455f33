#pragma once
// Work handed to a thread of its own in batches, so that making the next batch overlaps the work
// on the last (a replay's result rows: the cycles on one core, the rows' texts and the kernel's
// writing on the other). At most a few batches wait: a maker faster than the work waits for it,
// so memory stays the same however long the run. Batches go round between the maker and the
// thread (swapped, never copied), so nothing is allocated once each has grown to its size.
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace kavro {

template <class Batch>
class HandOffThread {
 public:
  // work runs on the thread, once per batch, in the order handed; it must not throw.
  explicit HandOffThread(std::function<void(Batch&)> work, std::size_t waiting = 4)
      : work_(std::move(work)), queue_(waiting == 0 ? 1 : waiting) {
    thread_ = std::thread([this] { WorkWhatComes(); });
  }
  // Works what still waits and ends the thread.
  ~HandOffThread() { Finish(); }
  HandOffThread(const HandOffThread&) = delete;
  HandOffThread& operator=(const HandOffThread&) = delete;

  // Hands batch over; it comes back as a batch the work is done with, to be filled again.
  // Waits while every place in the queue is taken.
  void Hand(Batch& batch) {
    std::unique_lock lock(mutex_);
    taken_.wait(lock, [this] { return count_ < queue_.size(); });
    std::swap(queue_[(first_ + count_) % queue_.size()], batch);
    ++count_;
    handed_.notify_one();
  }

  // Works what still waits and ends the thread: when it returns, every batch handed is done.
  void Finish() {
    if (!thread_.joinable()) return;
    {
      std::lock_guard lock(mutex_);
      finishing_ = true;
    }
    handed_.notify_one();
    thread_.join();
  }

 private:
  void WorkWhatComes() {
    Batch working{};
    for (;;) {
      {
        std::unique_lock lock(mutex_);
        handed_.wait(lock, [this] { return count_ > 0 || finishing_; });
        if (count_ == 0) return;  // finishing, and everything done
        // The batch done last takes this one's place in the queue, to go back to the maker.
        std::swap(working, queue_[first_]);
        first_ = (first_ + 1) % queue_.size();
        --count_;
      }
      taken_.notify_one();
      work_(working);
    }
  }

  std::function<void(Batch&)> work_;
  std::vector<Batch> queue_;  // a ring: count_ batches from first_ on wait
  std::size_t first_ = 0;
  std::size_t count_ = 0;
  bool finishing_ = false;
  std::mutex mutex_;
  std::condition_variable handed_;
  std::condition_variable taken_;
  std::thread thread_;
};

}  // namespace kavro
