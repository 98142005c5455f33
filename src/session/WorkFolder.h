#pragma once
// Which folder a controller works in. A controller starts only in a folder that holds its
// configuration (FLC.dat): started anywhere else (the desktop starts programs in the home
// folder) it would run a blank controller and leave its lock and event log among the user's
// files. The folders the operator worked in are remembered, newest first, in a list file of the
// user's own settings, never in a working folder.
#include <optional>
#include <string>
#include <vector>

#include "common/ports/FileSystem.h"

namespace kavro {

inline constexpr std::size_t kRecentFolderLimit = 8;

// Whether dir holds a controller's configuration: dir/FLC.dat exists.
bool HoldsConfiguration(FileSystem& files, const std::string& dir);

// "no FLC.dat in DIR", as a start in such a folder is refused.
std::string NoConfigurationText(const std::string& dir);

// The refusal of a folder the operator chose, or nothing when a controller may start there.
std::optional<std::string> RefuseWorkFolder(FileSystem& files, const std::string& dir);

// The remembered folders, one a line in the list file.
class RecentFolders {
 public:
  RecentFolders(FileSystem& files, std::string listPath);

  // Newest first; folders that hold no configuration any more are left out. A list file that
  // is missing or unreadable is an empty list.
  std::vector<std::string> List() const;

  // Puts dir first (once), keeps at most kRecentFolderLimit folders and writes the list whole.
  // A folder name with a line break cannot be kept in the list and is not remembered. False
  // with error set when the list could not be written (the old list stays).
  bool Remember(const std::string& dir, std::string* error = nullptr);

  // The folder to start a chooser in: the newest remembered one, else nothing.
  std::optional<std::string> Last() const;

 private:
  std::vector<std::string> Stored() const;
  FileSystem& files_;
  std::string listPath_;
};

}  // namespace kavro
