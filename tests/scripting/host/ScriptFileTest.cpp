#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/KavroError.h"
#include "scripting/host/ScriptFile.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

TEST(ScriptFileTest, StatusAndDateLinesAreDroppedAndTheRestKeptWithTheirFileLines) {
  const std::string file =
      "Status PreProcess = ON\r\n"      // 1
      "12/6/2026 7:00:00 PM\r\n"        // 2
      "\r\n"                            // 3: leading empty lines go
      "x = 1\r\n"                       // 4
      "\r\n"                            // 5: later ones stay
      "' status preprocess = off\r\n"   // 6: another case is script text
      "  12:30  \r\n"                   // 7: a time and nothing else
      "' Status PostProcess = OFF\r\n"  // 8: the other script's switch is text here
      "y = \"12:30\"\r\n";              // 9
  const ScriptFileContent pre = ReadScriptFile(file, ScriptKind::Pre);
  EXPECT_EQ(pre.text,
            "x = 1\r\n\r\n' status preprocess = off\r\n' Status PostProcess = OFF\r\n"
            "y = \"12:30\"");
  EXPECT_EQ(pre.fileLines, (std::vector<int>{4, 5, 6, 8, 9}));
  EXPECT_EQ(FileLineOf(pre.fileLines, 1), 4);
  EXPECT_EQ(FileLineOf(pre.fileLines, 4), 8);
  EXPECT_EQ(FileLineOf(pre.fileLines, 0), 0);  // no line known
  EXPECT_EQ(FileLineOf(pre.fileLines, 6), 6);
  ASSERT_TRUE(pre.switchedOn.has_value());
  EXPECT_TRUE(*pre.switchedOn);

  // The same lines with LF ends, read as the post-process script: its own status text is
  // found anywhere in a line, and the last one wins.
  const std::string post =
      "Status PostProcess = ON\n12/6/2026 7:00:00 PM\nx = 1 ' was Status PostProcess = OFF\n"
      "2026-12-06\ny = 2";
  const ScriptFileContent content = ReadScriptFile(post, ScriptKind::Post);
  EXPECT_EQ(content.text, "y = 2");
  EXPECT_EQ(content.fileLines, std::vector<int>{5});
  ASSERT_TRUE(content.switchedOn.has_value());
  EXPECT_FALSE(*content.switchedOn);

  const ScriptFileContent empty =
      ReadScriptFile("Status PreProcess = OFF\r\n12/6/2026 7:00:00 PM\r\n\r\n", ScriptKind::Pre);
  EXPECT_EQ(empty.text, "");
  EXPECT_FALSE(ReadScriptFile("x = 1\r\n", ScriptKind::Pre).switchedOn.has_value());
}

TEST(ScriptFileTest, SavedFileReadsBackAsTheTextAndSwitchSaved) {
  ScratchDir dir;
  const DateTime savedAt{2026, 12, 6, 19, 5, 0};
  WriteScriptFile(SystemFileSystem(), dir.Path(), ScriptKind::Post, "a = 1\n\nb = 2", true,
                  savedAt);
  const std::string bytes = dir.Read("FLC_Post.scp");
  EXPECT_EQ(bytes, "Status PostProcess = ON\r\n12/6/2026 7:05:00 PM\r\na = 1\r\n\r\nb = 2\r\n");
  const ScriptFileContent back = ReadScriptFile(bytes, ScriptKind::Post);
  EXPECT_EQ(back.text, "a = 1\r\n\r\nb = 2");
  EXPECT_EQ(back.switchedOn, std::optional<bool>(true));
  EXPECT_EQ(ScriptFileBytes(ScriptKind::Pre, "", false, savedAt),
            "Status PreProcess = OFF\r\n12/6/2026 7:05:00 PM\r\n");

  // Nothing but the file is left in the folder.
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    static_cast<void>(entry);
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(ScriptFileTest, FailedSaveKeepsTheOldFileWhole) {
  ScratchDir dir;
  dir.Write("FLC_Pre.scp", "Status PreProcess = ON\r\nold = 1\r\n");
  // Something in the way of the temporary file makes the write fail, whoever runs the test.
  const std::string blocker = dir.File("FLC_Pre.scp") + ".tmp" + std::to_string(::getpid());
  std::filesystem::create_directories(blocker + "/inside");
  try {
    WriteScriptFile(SystemFileSystem(), dir.Path(), ScriptKind::Pre, "new = 2", false, {});
    FAIL() << "the save reported success";
  } catch (const KavroError& e) {
    EXPECT_EQ(e.Number(), errors::kPathFileAccess);
    EXPECT_NE(e.Description().find("Path/File access error"), std::string::npos);
  }
  EXPECT_EQ(dir.Read("FLC_Pre.scp"), "Status PreProcess = ON\r\nold = 1\r\n");
}

}  // namespace
}  // namespace kavro::test
