#pragma once
// The file system on the system calls of FileCalls. Every file the controller reads or writes
// (FLC.dat, the scripts, the link files, the event and audit logs, the folder's lock) goes
// through one of these, so a test that swaps the calls (a full disk, a short write, a failing
// rename) reaches each of them. SystemFileSystem() is the one on the real calls.
#include "common/FileCalls.h"
#include "common/ports/FileSystem.h"

namespace kavro {

class PosixFileSystem final : public FileSystem {
 public:
  explicit PosixFileSystem(FileCalls& calls) : calls_(calls) {}

  bool Exists(const std::string& path) override;
  bool ReadAll(const std::string& path, std::string& bytes) override;
  bool WriteAtomic(const std::string& path, const std::string& bytes,
                   std::string* error = nullptr) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  std::optional<FileInfo> Stat(const std::string& path) override;
  int RemoveStaleTemporaries(const std::string& path) override;
  bool AppendLine(const std::string& path, const std::string& line, const LogRule& rule,
                  std::string* error = nullptr) override;
  std::unique_ptr<FileLock> Lock(const std::string& path, LockRefusal& refusal) override;

 private:
  FileCalls& calls_;
};

}  // namespace kavro
