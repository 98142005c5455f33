#include "common/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/DurableWrite.h"
#include "common/LineAppender.h"

namespace kavro {
namespace {

// Reads what fd holds from where it stands to its end; false when a read fails.
bool ReadToEnd(FileCalls& calls, int fd, std::string& bytes) {
  std::string read;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = calls.Read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    read.append(buffer, static_cast<size_t>(n));
  }
  bytes = std::move(read);
  return true;
}

class HeldLock final : public FileLock {
 public:
  HeldLock(FileCalls& calls, int fd) : calls_(calls), fd_(fd) {}
  ~HeldLock() override { calls_.Close(fd_); }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;

 private:
  FileCalls& calls_;
  int fd_;
};

long long HolderOf(FileCalls& calls, int fd) {
  char text[32] = {};
  const ssize_t n = calls.Pread(fd, text, sizeof text - 1, 0);
  if (n <= 0) return 0;
  return std::atoll(text);
}

}  // namespace

bool PosixFileSystem::Exists(const std::string& path) {
  struct stat info {};
  return calls_.Stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PosixFileSystem::ReadAll(const std::string& path, std::string& bytes) {
  const int fd = calls_.Open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool read = ReadToEnd(calls_, fd, bytes);
  calls_.Close(fd);
  return read;
}

bool PosixFileSystem::WriteAtomic(const std::string& path, const std::string& bytes,
                                  std::string* error) {
  return WriteFileDurably(path, bytes, error, calls_);
}

bool PosixFileSystem::Copy(const std::string& from, const std::string& to) {
  const int source = calls_.Open(from.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (source < 0) return false;
  struct stat info {};
  std::string bytes;
  const bool read = calls_.Fstat(source, &info) == 0 && ReadToEnd(calls_, source, bytes);
  calls_.Close(source);
  if (!read) return false;
  // The copy gets the permissions of its original, as a copy by the system does.
  const int target =
      calls_.Open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, info.st_mode & 07777);
  if (target < 0) return false;
  const bool written = WriteAll(calls_, target, bytes.data(), bytes.size());
  return calls_.Close(target) == 0 && written;
}

bool PosixFileSystem::Remove(const std::string& path) {
  return calls_.Unlink(path.c_str()) == 0;
}

std::optional<FileInfo> PosixFileSystem::Stat(const std::string& path) {
  struct stat info {};
  if (calls_.Stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const double age = static_cast<double>(now.tv_sec - info.st_mtim.tv_sec) +
                     static_cast<double>(now.tv_nsec - info.st_mtim.tv_nsec) / 1e9;
  return FileInfo{static_cast<std::uintmax_t>(info.st_size), age};
}

int PosixFileSystem::RemoveStaleTemporaries(const std::string& path) {
  return kavro::RemoveStaleTemporaries(path, calls_);
}

bool PosixFileSystem::AppendLine(const std::string& path, const std::string& line,
                                 const LogRule& rule, std::string* error) {
  return LineAppender(path, rule.maxBytes, rule.durable, calls_).Append(line, error);
}

std::unique_ptr<FileLock> PosixFileSystem::Lock(const std::string& path, LockRefusal& refusal) {
  // Opened without O_TRUNC: a refused second holder leaves the owner's id as it is.
  const int fd = calls_.Open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    refusal.reason = "Cannot open the lock file " + path + " (" + std::strerror(errno) + ")";
    return nullptr;
  }
  if (calls_.Flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int reason = errno;
    if (reason == EWOULDBLOCK) {
      refusal.heldElsewhere = true;
      refusal.holder = HolderOf(calls_, fd);
    } else {
      refusal.reason = "Cannot lock " + path + " (" + std::strerror(reason) + ")";
    }
    calls_.Close(fd);
    return nullptr;
  }
  const std::string id = std::to_string(::getpid()) + "\n";
  if (calls_.Ftruncate(fd, 0) != 0 || !WriteAll(calls_, fd, id.data(), id.size())) {
    // The lock holds all the same; only the id in the message of a second holder is missing.
  }
  return std::make_unique<HeldLock>(calls_, fd);
}

FileSystem& SystemFileSystem() {
  static PosixFileSystem instance(SystemFileCalls());
  return instance;
}

}  // namespace kavro
