#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <sys/stat.h>
#include <time.h>

#include "common/DurableWrite.h"
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

  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) override {
    return WriteFileDurably(path, bytes, error);
  }

  bool Copy(const std::string& from, const std::string& to) override {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    return !ec;
  }

  std::optional<FileInfo> Stat(const std::string& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const double age = static_cast<double>(now.tv_sec - info.st_mtim.tv_sec) +
                       static_cast<double>(now.tv_nsec - info.st_mtim.tv_nsec) / 1e9;
    return FileInfo{static_cast<std::uintmax_t>(info.st_size), age};
  }

  int RemoveStaleTemporaries(const std::string& path) override {
    return kavro::RemoveStaleTemporaries(path);
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
