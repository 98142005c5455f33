#include "common/DurableWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kavro {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
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
  if (!WriteAll(calls, fd, bytes.data(), bytes.size()) || calls.Fsync(fd) != 0) {
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
