#pragma once
// A scratch working folder with the demo kiln's files, its configuration changed as a test needs.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "config/ConfigFile.h"
#include "support/FakePorts.h"
#include "support/TestPaths.h"
#include "tune/ClosedLoop.h"
#include "tune/TuneInput.h"

namespace kavro::test {

inline const std::string kDemo = std::string(KAVRO_SOURCE_DIR) + "/demo";

// A working folder with the demo's files, the configuration changed by change.
class DemoCopy {
 public:
  explicit DemoCopy(const std::function<void(ControllerModel&)>& change = {}) {
    LoadConfiguration(controller, kDemo);
    if (change) change(controller.model);
    dir.Write("FLC.dat", ConfigText(controller.model, "1/1/2026 12:00:00 AM"));
    for (const char* name : {"plant.txt", "FLC_Post.scp"}) {
      std::filesystem::copy_file(kDemo + "/" + name, dir.File(name));
    }
  }
  LoopSetup Setup(double hours) const {
    LoopSetup setup;
    setup.workDir = dir.Path();
    setup.plant = LoadPlantFile(dir.File("plant.txt"));
    setup.hours = hours;
    return setup;
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
      names.push_back(entry.path().filename().string() + " " +
                      std::to_string(entry.last_write_time().time_since_epoch().count()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ScratchDir dir;
  Controller controller;
};

}  // namespace kavro::test
