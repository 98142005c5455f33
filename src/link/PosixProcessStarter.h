#pragma once
// The ProcessStarter port on POSIX systems, the one the controller uses with or without its
// window. The program runs in its own folder (the link client program lives in WorkDir and
// exchanges its files there), in a session of its own with default signal handling and no
// input, so it outlives the controller and neither a Ctrl-C nor a hang-up meant for the
// controller reaches it.
#include <sys/types.h>

#include <vector>

#include "common/ports/ProcessStarter.h"

namespace kavro {

class PosixProcessStarter final : public ProcessStarter {
 public:
  long long Start(const std::string& program, const std::vector<std::string>& arguments) override;
  bool IsRunning(long long processId) override;
  // Only a program this starter started and that still runs is signalled: the id of one that
  // has ended may already name another process.
  void Terminate(long long processId, bool force) override;

 private:
  // Every call first collects the exit status of the programs that have ended, so none is left
  // behind as a zombie for longer than until the next call.
  void CollectEnded();
  bool IsOurs(long long processId) const;

  std::vector<pid_t> children_;
};

}  // namespace kavro
