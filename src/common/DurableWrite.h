#pragma once
// Writing a file so that neither a crash nor a power loss leaves it empty or half written: the
// bytes go to a temporary file in the same folder, which is flushed to the disk, closed (its
// close checked, since a network file system reports write errors only there), renamed over the
// old file, and then the folder itself is flushed so that the rename survives a power loss.
#include <sys/types.h>

#include <string>

namespace kavro {

// The system calls the write goes through, so that tests can fail any one of them.
class FileCalls {
 public:
  virtual ~FileCalls() = default;
  virtual int Open(const char* path, int flags, mode_t mode) = 0;
  virtual ssize_t Write(int fd, const void* data, size_t size) = 0;
  virtual int Fsync(int fd) = 0;
  virtual int Close(int fd) = 0;
  virtual int Rename(const char* from, const char* to) = 0;
  virtual int Unlink(const char* path) = 0;
};

FileCalls& SystemFileCalls();

// On failure the old file is untouched, the temporary file is gone, and error (when given) says
// what failed and why.
bool WriteFileDurably(const std::string& path, const std::string& bytes, std::string* error,
                      FileCalls& calls = SystemFileCalls());

// The temporary files of path that writers killed during WriteFileDurably left behind: those in
// path's folder named path + ".tmp" + the id of a process other than this one. They are removed;
// nothing else is touched. How many were removed.
int RemoveStaleTemporaries(const std::string& path, FileCalls& calls = SystemFileCalls());

}  // namespace kavro
