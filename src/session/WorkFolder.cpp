#include "session/WorkFolder.h"

#include <algorithm>
#include <utility>

#include "config/ConfigFile.h"

namespace kavro {

bool HoldsConfiguration(FileSystem& files, const std::string& dir) {
  return !dir.empty() && files.Exists(ConfigPathIn(dir));
}

std::string NoConfigurationText(const std::string& dir) { return "no FLC.dat in " + dir; }

std::optional<std::string> RefuseWorkFolder(FileSystem& files, const std::string& dir) {
  if (HoldsConfiguration(files, dir)) return std::nullopt;
  return NoConfigurationText(dir);
}

RecentFolders::RecentFolders(FileSystem& files, std::string listPath)
    : files_(files), listPath_(std::move(listPath)) {}

std::vector<std::string> RecentFolders::Stored() const {
  std::vector<std::string> folders;
  std::string bytes;
  if (!files_.ReadAll(listPath_, bytes)) return folders;
  std::size_t start = 0;
  while (start < bytes.size() && folders.size() < kRecentFolderLimit) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && std::find(folders.begin(), folders.end(), line) == folders.end()) {
      folders.push_back(std::move(line));
    }
    start = end + 1;
  }
  return folders;
}

std::vector<std::string> RecentFolders::List() const {
  std::vector<std::string> folders = Stored();
  std::erase_if(folders, [this](const std::string& dir) { return !HoldsConfiguration(files_, dir); });
  return folders;
}

std::optional<std::string> RecentFolders::Last() const {
  const std::vector<std::string> folders = List();
  if (folders.empty()) return std::nullopt;
  return folders.front();
}

bool RecentFolders::Remember(const std::string& dir, std::string* error) {
  if (dir.empty() || dir.find_first_of("\r\n") != std::string::npos) return true;
  std::vector<std::string> folders = Stored();
  std::erase(folders, dir);
  folders.insert(folders.begin(), dir);
  if (folders.size() > kRecentFolderLimit) folders.resize(kRecentFolderLimit);
  std::string bytes;
  for (const std::string& folder : folders) bytes += folder + "\n";
  return files_.WriteAtomic(listPath_, bytes, error);
}

}  // namespace kavro
