#pragma once
// A controller wired to fake ports whose WorkDir is a scratch folder, with a file system that
// counts what the link asks of it and can be told to fail.
#include <map>
#include <string>
#include <vector>

#include "support/ForwardingFileSystem.h"
#include "link/ActiveLink.h"
#include "link/FileLink.h"
#include "support/FakePorts.h"

namespace kavro::test {

class RecordingFileSystem : public ForwardingFileSystem {
 public:
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
