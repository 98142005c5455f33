#pragma once
// One controller per working folder: two controllers in one folder would both write the same
// .OUT and restart each other's link client. The lock is an exclusive lock on WorkDir/kavro.lock,
// which the kernel releases when the process ends however it ends, so a crash never leaves the
// folder locked. The file holds the owner's process id for the refusal message.
#include <memory>
#include <optional>
#include <string>

#include "common/ports/FileSystem.h"

namespace kavro {

inline constexpr const char* kWorkDirLockFile = "kavro.lock";

class WorkDirLock {
 public:
  WorkDirLock() = default;
  WorkDirLock(const WorkDirLock&) = delete;
  WorkDirLock& operator=(const WorkDirLock&) = delete;

  // Takes the lock of workDir through files. On refusal, nothing in the folder is changed and
  // the result is the message for the operator; nothing when the lock is held now.
  std::optional<std::string> Acquire(const std::string& workDir,
                                     FileSystem& files = SystemFileSystem());
  bool Held() const { return held_ != nullptr; }

 private:
  std::unique_ptr<FileLock> held_;
};

// "Another Kavro controller is already running in this folder (process N)".
std::string AnotherControllerMessage(long long processId);

}  // namespace kavro
