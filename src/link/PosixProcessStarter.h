#pragma once
// The ProcessStarter port on POSIX systems: the program runs in its own folder (the link client
// program lives in WorkDir and exchanges its files there) and in its own process group, so it
// outlives the controller and a Ctrl-C meant for the controller does not reach it.
#include "common/ports/ProcessStarter.h"

namespace kavro {

class PosixProcessStarter final : public ProcessStarter {
 public:
  long long Start(const std::string& program, const std::vector<std::string>& arguments) override;
  // Also collects the exit status of a program that has ended, so no zombie is left behind.
  bool IsRunning(long long processId) override;
  void Terminate(long long processId, bool force) override;
};

// SIGTERM followed by SIGCONT (a stopped process handles its SIGTERM only once it runs), or
// SIGKILL when forced. Ids of 0 or less name no process and are passed over.
void SignalProcessToEnd(long long processId, bool force);

}  // namespace kavro
