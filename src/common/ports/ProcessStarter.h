#pragma once
// Starting a program beside the controller (the link client program), minimised.
#include <string>
#include <vector>

namespace kavro {

class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // Starts program with arguments; returns a process id (> 0), or 0 when it could not start.
  virtual long long Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // True while the process started under that id is still running.
  virtual bool IsRunning(long long processId) = 0;
  // Asks a process to end (force: makes it end). A stopped process is woken so that it can.
  virtual void Terminate(long long processId, bool force) = 0;
};

// Stands in where no program may be started: every start fails as a missing program does, and
// no process is ever running.
ProcessStarter& NoProcessStarter();

}  // namespace kavro
