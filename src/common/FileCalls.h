#pragma once
// The system calls under the file system port (PosixFileSystem): every file the controller
// reads or writes goes through them, so that tests can make any one of them fail or write short,
// as a full disk does.
#include <sys/stat.h>
#include <sys/types.h>

namespace kavro {

class FileCalls {
 public:
  virtual ~FileCalls() = default;
  virtual int Open(const char* path, int flags, mode_t mode) = 0;
  virtual ssize_t Read(int fd, void* data, size_t size) = 0;
  virtual ssize_t Write(int fd, const void* data, size_t size) = 0;
  virtual ssize_t Pread(int fd, void* data, size_t size, off_t offset) = 0;
  virtual int Fsync(int fd) = 0;
  virtual int Fstat(int fd, struct stat* info) = 0;
  virtual int Stat(const char* path, struct stat* info) = 0;
  virtual int Flock(int fd, int operation) = 0;
  virtual int Ftruncate(int fd, off_t length) = 0;
  virtual int Close(int fd) = 0;
  virtual int Rename(const char* from, const char* to) = 0;
  virtual int Unlink(const char* path) = 0;
};

// The real calls.
FileCalls& SystemFileCalls();

// Writes all of bytes, going on after a short write or a signal; false (errno set) when a write
// fails or writes nothing.
bool WriteAll(FileCalls& calls, int fd, const char* bytes, size_t size);

}  // namespace kavro
