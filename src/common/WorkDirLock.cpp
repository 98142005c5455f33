#include "common/WorkDirLock.h"

namespace kavro {

std::string AnotherControllerMessage(long long processId) {
  std::string text = "Another Kavro controller is already running in this folder";
  if (processId > 0) text += " (process " + std::to_string(processId) + ")";
  return text;
}

std::optional<std::string> WorkDirLock::Acquire(const std::string& workDir, FileSystem& files) {
  if (held_) return std::nullopt;
  LockRefusal refusal;
  held_ = files.Lock(workDir + "/" + kWorkDirLockFile, refusal);
  if (held_) return std::nullopt;
  if (refusal.heldElsewhere) return AnotherControllerMessage(refusal.holder);
  return refusal.reason;
}

}  // namespace kavro
