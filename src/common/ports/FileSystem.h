#pragma once
// Every file operation of the controller, behind one small port so that tests can make a write
// or a rename fail on purpose: the configuration, the scripts, the link files, the event and
// audit logs and the working folder's lock. The real implementation (PosixFileSystem) runs on
// the system calls.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kavro {

// What a look at a file tells without reading it.
struct FileInfo {
  std::uintmax_t size = 0;
  double ageSeconds = 0;  // since its last change, by the system clock; negative when ahead
};

// How a log grows: maxBytes 0 for no limit, else a full file is renamed to <path>.1 (replacing
// the older one) and a new one is begun; durable: each line is on the disk before the append
// returns, for a log that must survive a power cut.
struct LogRule {
  std::uintmax_t maxBytes = 0;
  bool durable = false;
};

// A lock held on a file while this lives; the system lets go of it when the process ends,
// however it ends.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

// Why a lock was not taken: another process holds it, or the file could not be locked at all.
struct LockRefusal {
  bool heldElsewhere = false;
  long long holder = 0;  // the process that holds it, as its file says; 0 when unknown
  std::string reason;    // what failed, when not held elsewhere
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool Exists(const std::string& path) = 0;
  // Reads the whole file as bytes; false when it cannot be opened or read.
  virtual bool ReadAll(const std::string& path, std::string& bytes) = 0;
  // Writes bytes to path + a temporary suffix in the same folder, flushed to the disk, and
  // renames it over path, so a reader never sees half a file and a power loss never leaves an
  // empty one. On failure the old file is untouched, the temporary file is
  // gone, and error (when given) says what failed.
  virtual bool WriteAtomic(const std::string& path, const std::string& bytes,
                           std::string* error = nullptr) = 0;
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Size and age of a regular file; nothing when there is none.
  virtual std::optional<FileInfo> Stat(const std::string& path) = 0;
  // Removes what WriteAtomic(path) left behind when its writer was killed mid-write: the
  // temporary files of path written by any process other than this one, and nothing else. Only
  // for files that this process alone writes. How many were removed; a file system without
  // temporary files has none.
  virtual int RemoveStaleTemporaries(const std::string& path) {
    static_cast<void>(path);
    return 0;
  }
  // Appends line and a line end to a log that is never rewritten, whole or not at all: what part
  // of it went out is cut off again, and a line torn by a crash is ended before the next one.
  // False when the line could not be written whole; error (when given) says why.
  virtual bool AppendLine(const std::string& path, const std::string& line, const LogRule& rule,
                          std::string* error = nullptr) = 0;
  // Takes an exclusive lock on path (made when missing) and writes this process's id into it.
  // Nothing when the lock was not taken: refusal says why, and a file another process holds is
  // left as it is.
  virtual std::unique_ptr<FileLock> Lock(const std::string& path, LockRefusal& refusal) = 0;
};

// The real file system.
FileSystem& SystemFileSystem();

}  // namespace kavro
