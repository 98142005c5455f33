// Which folder a controller may start in, and the folders remembered for the next start.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "session/WorkFolder.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

struct Folders {
  Folders() {
    for (const char* name : {"kiln1", "kiln2", "empty"}) {
      std::filesystem::create_directory(root.File(name));
    }
    root.Write("kiln1/FLC.dat", "x");
    root.Write("kiln2/FLC.dat", "x");
  }
  std::string Dir(const std::string& name) const { return root.File(name); }
  ScratchDir root;
  ScratchDir settings;
  FileSystem& files = SystemFileSystem();
  RecentFolders recent{files, settings.File("recent-folders")};
};

TEST(WorkFolder, OnlyAFolderWithItsConfigurationIsStartedIn) {
  Folders f;
  EXPECT_EQ(RefuseWorkFolder(f.files, f.Dir("kiln1")), std::nullopt);
  EXPECT_EQ(RefuseWorkFolder(f.files, f.Dir("empty")), "no FLC.dat in " + f.Dir("empty"));
  EXPECT_EQ(RefuseWorkFolder(f.files, f.Dir("missing")), "no FLC.dat in " + f.Dir("missing"));
  EXPECT_FALSE(HoldsConfiguration(f.files, ""));
}

TEST(WorkFolder, RecentFoldersAreNewestFirstOnceEachAndOnlyWhileTheyHoldAController) {
  Folders f;
  EXPECT_TRUE(f.recent.List().empty());  // no list file yet
  EXPECT_EQ(f.recent.Last(), std::nullopt);
  ASSERT_TRUE(f.recent.Remember(f.Dir("kiln1")));
  ASSERT_TRUE(f.recent.Remember(f.Dir("kiln2")));
  ASSERT_TRUE(f.recent.Remember(f.Dir("kiln1")));
  EXPECT_EQ(f.recent.List(), (std::vector<std::string>{f.Dir("kiln1"), f.Dir("kiln2")}));
  EXPECT_EQ(f.recent.Last(), f.Dir("kiln1"));

  // A folder whose FLC.dat went is kept in the file but not offered.
  std::filesystem::remove(f.Dir("kiln1") + "/FLC.dat");
  EXPECT_EQ(f.recent.List(), (std::vector<std::string>{f.Dir("kiln2")}));

  // A name with a line break would split into two entries: it is not remembered.
  ASSERT_TRUE(f.recent.Remember(f.Dir("kiln2") + "\n/etc"));
  EXPECT_EQ(f.settings.Read("recent-folders"), f.Dir("kiln1") + "\n" + f.Dir("kiln2") + "\n");

  // The list stays short, and only the settings file is written.
  for (int k = 0; k < 12; ++k) ASSERT_TRUE(f.recent.Remember(f.Dir("kiln2") + "/x" + std::to_string(k)));
  std::string bytes = f.settings.Read("recent-folders");
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), static_cast<long>(kRecentFolderLimit));
  EXPECT_EQ(bytes.substr(0, bytes.find('\n')), f.Dir("kiln2") + "/x11");
  EXPECT_TRUE(std::filesystem::is_empty(f.Dir("empty")));
  EXPECT_FALSE(std::filesystem::exists(f.Dir("kiln2") + "/recent-folders"));
}

}  // namespace
}  // namespace kavro::test
