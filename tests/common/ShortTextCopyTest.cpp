// Short texts copied a word at a time: every length takes one of the word, half-word or
// character paths, and none may drop, move or add a character, nor write past the text's end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ShortTextCopy.h"

namespace kavro {
namespace {

std::string TextOf(size_t length) {
  std::string text;
  for (size_t k = 0; k < length; ++k) text += static_cast<char>('a' + k % 26);
  return text;
}

TEST(ShortTextCopy, CopiesEveryCharacterAndNothingBeyond) {
  for (size_t length = 0; length <= 40; ++length) {
    SCOPED_TRACE("length " + std::to_string(length));
    const std::string text = TextOf(length);
    std::vector<char> room(length + 8, '#');
    CopyShortText(room.data(), text);
    EXPECT_EQ(std::string(room.data(), length), text);
    EXPECT_EQ(std::string(room.data() + length, 8), "########");
  }
}

TEST(ShortTextCopy, AssignsTextsOfTheSameAndOfOtherLengths) {
  std::string cell = "12.345";
  AssignText(cell, "98.765");  // as long: in place
  EXPECT_EQ(cell, "98.765");
  AssignText(cell, "1234.500");  // longer
  EXPECT_EQ(cell, "1234.500");
  AssignText(cell, "7");  // shorter
  EXPECT_EQ(cell, "7");
  EXPECT_EQ(cell.c_str()[1], '\0');
  std::string longer(30, 'x');
  AssignText(longer, TextOf(30));
  EXPECT_EQ(longer, TextOf(30));
  AssignText(longer, "");
  EXPECT_TRUE(longer.empty());
}

}  // namespace
}  // namespace kavro
