#pragma once
// A yes or no given once on one thread and waited for on others: a long check that runs beside
// the work whose output must not show before it has passed.
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace kavro {

class Verdict {
 public:
  // Gives the answer (once; a later one is ignored) and wakes whoever waits for it.
  void Give(bool passed) {
    {
      std::lock_guard lock(mutex_);
      if (given_) return;
      given_ = true;
      passed_ = passed;
    }
    refused_.store(!passed, std::memory_order_release);
    given_cv_.notify_all();
  }
  // Waits until the answer is given; true when it passed.
  bool Wait() const {
    std::unique_lock lock(mutex_);
    given_cv_.wait(lock, [this] { return given_; });
    return passed_;
  }
  // True once the answer is no; never waits, so work can ask it as it goes and stop early.
  bool Refused() const { return refused_.load(std::memory_order_acquire); }

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable given_cv_;
  bool given_ = false;
  bool passed_ = false;
  std::atomic<bool> refused_{false};
};

}  // namespace kavro
