#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <unistd.h>

#include "common/ports/FileSystem.h"

namespace kavro {
namespace {

namespace fs = std::filesystem;

class RealFileSystem final : public FileSystem {
 public:
  bool Exists(const std::string& path) override {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
  }

  bool ReadAll(const std::string& path, std::string& bytes) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return false;
    bytes = buffer.str();
    return true;
  }

  bool WriteAtomic(const std::string& path, const std::string& bytes,
                   std::string* error) override {
    // The temporary file sits in the same folder so that the rename never crosses file systems.
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    auto fail = [&](const std::string& what) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      if (error) *error = what;
      return false;
    };
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      if (!out) return fail("Path/File access error: cannot create " + temporary);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.flush();
      if (!out) return fail("Disk write error: cannot write " + temporary);
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) return fail("Path/File access error: cannot replace " + path + " (" + ec.message() + ")");
    return true;
  }

  bool Copy(const std::string& from, const std::string& to) override {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    return !ec;
  }

  bool Remove(const std::string& path) override {
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static RealFileSystem instance;
  return instance;
}

}  // namespace kavro
