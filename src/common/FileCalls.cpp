#include "common/FileCalls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace kavro {
namespace {

class PosixFileCalls final : public FileCalls {
 public:
  int Open(const char* path, int flags, mode_t mode) override { return ::open(path, flags, mode); }
  ssize_t Read(int fd, void* data, size_t size) override { return ::read(fd, data, size); }
  ssize_t Write(int fd, const void* data, size_t size) override { return ::write(fd, data, size); }
  ssize_t Pread(int fd, void* data, size_t size, off_t offset) override {
    return ::pread(fd, data, size, offset);
  }
  int Fsync(int fd) override { return ::fsync(fd); }
  int Fstat(int fd, struct stat* info) override { return ::fstat(fd, info); }
  int Stat(const char* path, struct stat* info) override { return ::stat(path, info); }
  int Flock(int fd, int operation) override { return ::flock(fd, operation); }
  int Ftruncate(int fd, off_t length) override { return ::ftruncate(fd, length); }
  int Close(int fd) override { return ::close(fd); }
  int Rename(const char* from, const char* to) override { return ::rename(from, to); }
  int Unlink(const char* path) override { return ::unlink(path); }
};

}  // namespace

FileCalls& SystemFileCalls() {
  static PosixFileCalls instance;
  return instance;
}

bool WriteAll(FileCalls& calls, int fd, const char* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = calls.Write(fd, bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = ENOSPC;  // a write that makes no progress is a full disk by another name
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace kavro
