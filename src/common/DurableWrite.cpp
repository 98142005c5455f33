#include "common/DurableWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

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

constexpr const char* kTemporaryMark = ".tmp";

// The temporary file the writing process pid writes path through.
std::string TemporaryPath(const std::string& path, long long pid) {
  return path + kTemporaryMark + std::to_string(pid);
}

// The process id a temporary name of base carries, or -1 when name is not one.
long long TemporaryOwner(const std::string& name, const std::string& base) {
  const std::string prefix = base + kTemporaryMark;
  if (!name.starts_with(prefix)) return -1;
  const std::string digits = name.substr(prefix.size());
  if (digits.empty() || digits.size() > 18 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return -1;
  }
  return std::stoll(digits);
}

}  // namespace

bool WriteFileDurably(const std::string& path, const std::string& bytes, std::string* error,
                      FileCalls& calls) {
  // The temporary file sits in the same folder so that the rename never crosses file systems.
  const std::string temporary = TemporaryPath(path, ::getpid());
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

int RemoveStaleTemporaries(const std::string& path, FileCalls& calls) {
  namespace fs = std::filesystem;
  const std::string folder = FolderOf(path);
  const std::string base = fs::path(path).filename().string();
  if (base.empty()) return 0;
  const long long self = ::getpid();
  // Names from the folder's own list, so never a path out of the folder; removed after the
  // listing, which a removal could otherwise disturb.
  std::vector<std::string> stale;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    const long long owner = TemporaryOwner(name, base);
    if (owner >= 0 && owner != self) stale.push_back(folder + "/" + name);
  }
  int removed = 0;
  for (const std::string& file : stale) {
    if (calls.Unlink(file.c_str()) == 0) ++removed;
  }
  return removed;
}

}  // namespace kavro
