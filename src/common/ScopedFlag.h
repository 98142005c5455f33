#pragma once
// Sets a flag for as long as it lives and clears it however the work ends, a thrown failure
// included: a flag left set (a busy bridge, a running cycle) would refuse all later work.
namespace kavro {

class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace kavro
