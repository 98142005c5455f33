#pragma once
// Files of the tests that touch the real file system.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kavro::test {

// The whole file as bytes; empty when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace kavro::test
