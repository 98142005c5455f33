#pragma once
// The file operations the core needs, behind one small port so that tests can make a write or a
// rename fail on purpose. The real implementation (SystemFileSystem) uses the C++ library.
#include <cstdint>
#include <optional>
#include <string>

namespace kavro {

// What a look at a file tells without reading it.
struct FileInfo {
  std::uintmax_t size = 0;
  double ageSeconds = 0;  // since its last change, by the system clock; negative when ahead
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
};

// The real file system.
FileSystem& SystemFileSystem();

}  // namespace kavro
