#pragma once
// ChildPipe over a local socket pair: the child's standard input and output are one end, we keep
// the other, non-blocking, and wait on it with poll. A socket rather than two pipes so that a
// write to a child that has died fails with an error instead of a SIGPIPE that would end the
// controller.
//
// A child that breaks the line protocol is ended at once, as one that died: one that closes its
// output while it runs (a reader would otherwise wake for nothing until its deadline, every
// call), and one that sends more than kMaxChildLineBytes without a line end (its answer would
// grow without bound). Whoever restarts a dead child then restarts this one.
#include <sys/types.h>

#include <cstddef>
#include <string>

#include "common/ports/ChildPipe.h"

namespace kavro {

// The longest line a child may send; no answer of the OPC UA bridge comes near it.
inline constexpr std::size_t kMaxChildLineBytes = 1024 * 1024;

class PosixChildPipe final : public ChildPipe {
 public:
  PosixChildPipe() = default;
  ~PosixChildPipe() override;
  PosixChildPipe(const PosixChildPipe&) = delete;
  PosixChildPipe& operator=(const PosixChildPipe&) = delete;

  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
  bool Running() override;
  bool WriteLine(const std::string& line) override;
  std::optional<std::string> ReadLine(int timeoutMs) override;
  void Stop() override;

  pid_t ProcessId() const { return child_; }

 private:
  bool Reap(int waitMs);
  int socket_ = -1;
  pid_t child_ = 0;
  std::string pending_;  // received, not yet handed out
};

}  // namespace kavro
