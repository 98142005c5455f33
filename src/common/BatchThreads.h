#pragma once
// Work passed between two threads in batches, so that one side's work overlaps the other's (a
// replay: the trace read on one thread, the cycles run on another, the result rows made and
// written on a third). At most a few batches wait: a side that runs ahead waits for the other,
// so memory stays the same however long the run. Batches go round (swapped, never copied), so
// nothing is allocated once each has grown to its size.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace kavro {

// A bounded first-in, first-out queue of batches between one maker and one taker.
template <class Batch>
class BatchQueue {
 public:
  explicit BatchQueue(std::size_t places) : ring_(places == 0 ? 1 : places) {}

  // Puts batch at the back; it comes back as a spare (new, or one the taker is done with).
  // Waits while every place is taken. False, and nothing put, once the queue is closed.
  bool Put(Batch& batch) {
    std::unique_lock lock(mutex_);
    taken_.wait(lock, [this] { return count_ < ring_.size() || closed_; });
    if (closed_) return false;
    // The places outside the waiting ones hold spares.
    std::swap(ring_[(first_ + count_) % ring_.size()], batch);
    ++count_;
    put_.notify_one();
    return true;
  }

  // Takes the front batch into batch, whose old contents stay behind as a spare. Waits while
  // none waits. False once the queue is closed and nothing waits any more.
  bool Take(Batch& batch) {
    std::unique_lock lock(mutex_);
    put_.wait(lock, [this] { return count_ > 0 || closed_; });
    if (count_ == 0) return false;
    std::swap(ring_[first_], batch);
    first_ = (first_ + 1) % ring_.size();
    --count_;
    taken_.notify_one();
    return true;
  }

  // No more puts: a waiting maker gives up, the taker takes what waits and then hears the end.
  void Close() {
    {
      std::lock_guard lock(mutex_);
      closed_ = true;
    }
    put_.notify_all();
    taken_.notify_all();
  }

 private:
  std::vector<Batch> ring_;  // count_ batches from first_ on wait
  std::size_t first_ = 0;
  std::size_t count_ = 0;
  bool closed_ = false;
  std::mutex mutex_;
  std::condition_variable put_;
  std::condition_variable taken_;
};

// Batches handed to work on a thread of its own, in the order handed.
template <class Batch>
class HandOffThread {
 public:
  // work runs on the thread, once per batch; it must not throw.
  explicit HandOffThread(std::function<void(Batch&)> work, std::size_t places = 4)
      : work_(std::move(work)), queue_(places) {
    thread_ = std::thread([this] {
      Batch working{};
      while (queue_.Take(working)) work_(working);
    });
  }
  ~HandOffThread() { Finish(); }
  HandOffThread(const HandOffThread&) = delete;
  HandOffThread& operator=(const HandOffThread&) = delete;

  // Hands batch over; it comes back as a batch the work is done with, to be filled again.
  void Hand(Batch& batch) { queue_.Put(batch); }
  // Works what still waits and ends the thread: when it returns, every batch handed is done.
  void Finish() {
    if (!thread_.joinable()) return;
    queue_.Close();
    thread_.join();
  }

 private:
  std::function<void(Batch&)> work_;
  BatchQueue<Batch> queue_;
  std::thread thread_;
};

// Batches filled on a thread of its own ahead of the one that takes them, in order.
template <class Batch>
class ReadAheadThread {
 public:
  // fill runs on the thread and fills the batch it is given; it returns false with the last
  // batch (which may be empty). What it throws reaches the taker after the batches before.
  explicit ReadAheadThread(std::function<bool(Batch&)> fill, std::size_t places = 4)
      : fill_(std::move(fill)), queue_(places) {
    thread_ = std::thread([this] {
      Batch filling{};
      try {
        for (bool more = true; more;) {
          more = fill_(filling);
          if (!queue_.Put(filling)) return;  // the taker stopped
        }
      } catch (...) {
        failure_ = std::current_exception();  // seen by Next once the queue is closed
      }
      queue_.Close();
    });
  }
  // Stops the filling wherever it is.
  ~ReadAheadThread() {
    queue_.Close();
    thread_.join();
  }
  ReadAheadThread(const ReadAheadThread&) = delete;
  ReadAheadThread& operator=(const ReadAheadThread&) = delete;

  // The next batch, in batch (its old contents go back to be filled again); false after the
  // last one. Throws what the filling threw, once the batches filled before it are taken.
  bool Next(Batch& batch) {
    if (queue_.Take(batch)) return true;
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return false;
  }

 private:
  std::function<bool(Batch&)> fill_;
  BatchQueue<Batch> queue_;
  std::exception_ptr failure_;  // written before the queue closes, read after
  std::thread thread_;
};

}  // namespace kavro
