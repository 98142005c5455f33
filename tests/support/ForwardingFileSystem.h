#pragma once
// A file system that passes every call on to another one (the real one unless told), for fakes
// that change only the calls their test is about.
#include "common/ports/FileSystem.h"

namespace kavro::test {

class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& next = SystemFileSystem()) : real(next) {}
  bool Exists(const std::string& path) override { return real.Exists(path); }
  bool ReadAll(const std::string& path, std::string& bytes) override {
    return real.ReadAll(path, bytes);
  }
  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) override {
    return real.WriteAtomic(path, bytes, error);
  }
  bool Copy(const std::string& from, const std::string& to) override { return real.Copy(from, to); }
  bool Remove(const std::string& path) override { return real.Remove(path); }
  std::optional<FileInfo> Stat(const std::string& path) override { return real.Stat(path); }
  int RemoveStaleTemporaries(const std::string& path) override {
    return real.RemoveStaleTemporaries(path);
  }
  bool AppendLine(const std::string& path, const std::string& line, const LogRule& rule,
                  std::string* error) override {
    return real.AppendLine(path, line, rule, error);
  }
  std::unique_ptr<FileLock> Lock(const std::string& path, LockRefusal& refusal) override {
    return real.Lock(path, refusal);
  }

  FileSystem& real;
};

}  // namespace kavro::test
