#pragma once
// The real file calls, recorded by name, with the Nth call (1-based; 0: none) made to fail: with
// EIO, or as a disk that fills up (a write writes half its bytes, every later write fails with
// ENOSPC; any other call fails with ENOSPC). Stepping N until no fault fires reaches every
// failure a writer can meet. Removing and cutting back a file are recorded but never fail: they
// are how a writer cleans up after a fault.
#include <fcntl.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "common/FileCalls.h"

namespace kavro::test {

class RecordingFileCalls final : public FileCalls {
 public:
  enum class Fault { Error, DiskFull };
  explicit RecordingFileCalls(int failAt, Fault fault = Fault::Error)
      : failAt_(failAt), fault_(fault) {}
  std::vector<std::string> log;
  // Whether the fault fired (the run reached call failAt).
  bool Fired() const { return failAt_ > 0 && static_cast<int>(log.size()) >= failAt_; }

  int Open(const char* path, int flags, mode_t mode) override {
    const bool folder = std::filesystem::is_directory(path);
    return Step(std::string("open ") + (folder ? "folder" : "file"),
                [&] { return real().Open(path, flags, mode); });
  }
  ssize_t Write(int fd, const void* data, size_t size) override {
    if (fault_ == Fault::DiskFull && Fired()) {
      log.push_back("write");
      errno = ENOSPC;
      return -1;
    }
    const bool halfOnly = fault_ == Fault::DiskFull && static_cast<int>(log.size()) + 1 == failAt_;
    if (halfOnly) {
      log.push_back("write");
      return real().Write(fd, data, size / 2);
    }
    return Step("write", [&] { return real().Write(fd, data, size); });
  }
  ssize_t Read(int fd, void* data, size_t size) override {
    return Step("read", [&] { return real().Read(fd, data, size); });
  }
  ssize_t Pread(int fd, void* data, size_t size, off_t offset) override {
    return Step("pread", [&] { return real().Pread(fd, data, size, offset); });
  }
  int Fsync(int fd) override {
    return Step("fsync", [&] { return real().Fsync(fd); });
  }
  int Fstat(int fd, struct stat* info) override {
    return Step("fstat", [&] { return real().Fstat(fd, info); });
  }
  int Stat(const char* path, struct stat* info) override {
    return Step("stat", [&] { return real().Stat(path, info); });
  }
  int Flock(int fd, int operation) override {
    return Step("flock", [&] { return real().Flock(fd, operation); });
  }
  int Ftruncate(int fd, off_t length) override {
    log.push_back("ftruncate");
    return real().Ftruncate(fd, length);
  }
  int Close(int fd) override {
    const int result = real().Close(fd);  // always release the descriptor
    return Step("close", [&] { return result; });
  }
  int Rename(const char* from, const char* to) override {
    return Step("rename", [&] { return real().Rename(from, to); });
  }
  int Unlink(const char* path) override { return real().Unlink(path); }

 private:
  static FileCalls& real() { return SystemFileCalls(); }
  template <typename Call>
  auto Step(const std::string& name, Call call) -> decltype(call()) {
    log.push_back(name);
    if (static_cast<int>(log.size()) == failAt_) {
      errno = fault_ == Fault::DiskFull ? ENOSPC : EIO;
      return -1;
    }
    return call();
  }
  int failAt_;
  Fault fault_;
};

}  // namespace kavro::test
