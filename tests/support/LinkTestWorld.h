#pragma once
// A controller wired to fake ports whose WorkDir is a scratch folder, with a file system that
// counts what the link asks of it and can be told to fail.
#include <map>
#include <string>
#include <vector>

#include "common/ports/FileSystem.h"
#include "link/ActiveLink.h"
#include "link/FileLink.h"
#include "support/FakePorts.h"

namespace kavro::test {

class RecordingFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override { return real.Exists(path); }
  bool ReadAll(const std::string& path, std::string& bytes) override {
    return real.ReadAll(path, bytes);
  }
  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) override {
    atomicWrites.push_back(path);
    if (failWrites > 0) {
      --failWrites;
      return false;
    }
    return real.WriteAtomic(path, bytes, error);
  }
  bool Copy(const std::string& from, const std::string& to) override {
    ++copies;
    return real.Copy(from, to);
  }
  bool Remove(const std::string& path) override { return real.Remove(path); }
  std::optional<FileInfo> Stat(const std::string& path) override { return real.Stat(path); }
  int RemoveStaleTemporaries(const std::string& path) override {
    return real.RemoveStaleTemporaries(path);
  }

  FileSystem& real = SystemFileSystem();
  std::vector<std::string> atomicWrites;
  int failWrites = 0;  // how many of the next WriteAtomic calls fail
  int copies = 0;
};

struct LinkTestWorld : FakeWorld {
  LinkTestWorld() {
    ResetModel(controller.model, dir.Path());
    ApplyDefaults(controller.model);
    controller.ports.files = &files;
    controller.model.FLCBlock.Name1 = "FLC1";
    controller.model.Program_Interface = "MyLink ";
  }
  // The lines of a file in the scratch folder, without their CR LF.
  std::vector<std::string> Lines(const std::string& name) const;
  // Every file name in the scratch folder.
  std::vector<std::string> Files() const;
  void LinkOn() {
    controller.model.Link.LinkStatus = kOn;
    controller.model.Link.LinkStatusSent = kOn;
  }

  // The process id of the link client program the switched-on file link knows.
  long long ClientProcessId() const {
    const auto* file = dynamic_cast<const FileLink*>(link.Current());
    return file ? file->Client().processId : 0;
  }

  ScratchDir dir;
  RecordingFileSystem files;
  ActiveLink link;
};

}  // namespace kavro::test
