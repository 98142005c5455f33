#pragma once
// The demo plant's files (demo/ in the source tree), for tests that run on its configuration and
// scripts.
#include <string>

#include "support/TempFiles.h"
#include "support/TestPaths.h"

namespace kavro::test {

// The bytes of demo/<name>; empty when there is no such file.
inline std::string DemoFile(const std::string& name) {
  return FileBytes(std::string(KAVRO_SOURCE_DIR) + "/demo/" + name);
}

}  // namespace kavro::test
