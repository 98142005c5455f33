#include "common/DurableWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kavro {
namespace {

class PosixFileCalls final : public FileCalls {
 public:
  int Open(const char* path, int flags, mode_t mode) override { return ::open(path, flags, mode); }
  ssize_t Write(int fd, const void* data, size_t size) override { return ::write(fd, data, size); }
  int Fsync(int fd) override { return ::fsync(fd); }
  int Close(int fd) override { return ::close(fd); }
  int Rename(const char* from, const char* to) override { return ::rename(from, to); }
  int Unlink(const char* path) override { return ::unlink(path); }
};

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(FileCalls& calls, int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = calls.Write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Flushes the folder's entry list, so that a finished rename is on the disk too. File systems
// that cannot flush a folder (EINVAL) keep their entries safe by other means.
bool SyncFolder(FileCalls& calls, const std::string& folder) {
  const int fd = calls.Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool synced = calls.Fsync(fd) == 0 || errno == EINVAL;
  return calls.Close(fd) == 0 && synced;
}

}  // namespace

FileCalls& SystemFileCalls() {
  static PosixFileCalls instance;
  return instance;
}

bool WriteFileDurably(const std::string& path, const std::string& bytes, std::string* error,
                      FileCalls& calls) {
  // The temporary file sits in the same folder so that the rename never crosses file systems.
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  auto fail = [&](const std::string& what) {
    const std::string reason = std::strerror(errno);
    calls.Unlink(temporary.c_str());
    if (error) *error = what + " (" + reason + ")";
    return false;
  };
  const int fd = calls.Open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fail("Path/File access error: cannot create " + temporary);
  if (!WriteAll(calls, fd, bytes) || calls.Fsync(fd) != 0) {
    const int saved = errno;
    calls.Close(fd);
    errno = saved;
    return fail("Disk write error: cannot write " + temporary);
  }
  if (calls.Close(fd) != 0) return fail("Disk write error: cannot write " + temporary);
  if (calls.Rename(temporary.c_str(), path.c_str()) != 0) {
    return fail("Path/File access error: cannot replace " + path);
  }
  if (!SyncFolder(calls, FolderOf(path))) {
    // The new file is in place; only its survival of a power loss is in doubt.
    if (error)
      *error = "Disk write error: cannot flush the folder of " + path + " (" +
               std::strerror(errno) + ")";
    return false;
  }
  return true;
}

}  // namespace kavro
