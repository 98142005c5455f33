#include "common/WorkDirLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace kavro {
namespace {

long long OwnerOf(int fd) {
  char text[32] = {};
  const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
  if (n <= 0) return 0;
  return std::atoll(text);
}

}  // namespace

std::string AnotherControllerMessage(long long processId) {
  std::string text = "Another Kavro controller is already running in this folder";
  if (processId > 0) text += " (process " + std::to_string(processId) + ")";
  return text;
}

WorkDirLock::~WorkDirLock() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<std::string> WorkDirLock::Acquire(const std::string& workDir) {
  if (fd_ >= 0) return std::nullopt;
  const std::string path = workDir + "/" + kWorkDirLockFile;
  // Opened without O_TRUNC: a refused second controller leaves the owner's id as it is.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    return "Cannot open the lock file " + path + " (" + std::strerror(errno) + ")";
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int reason = errno;
    const long long owner = OwnerOf(fd);
    ::close(fd);
    if (reason == EWOULDBLOCK) return AnotherControllerMessage(owner);
    return "Cannot lock " + path + " (" + std::strerror(reason) + ")";
  }
  const std::string id = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) != 0 ||
      ::pwrite(fd, id.data(), id.size(), 0) != static_cast<ssize_t>(id.size())) {
    // The lock holds all the same; only the id in the message of a second controller is missing.
  }
  fd_ = fd;
  return std::nullopt;
}

}  // namespace kavro
