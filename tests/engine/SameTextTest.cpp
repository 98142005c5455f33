// SameText compares words at a time; it must agree with plain equality for every length and
// wherever two texts differ.
#include <gtest/gtest.h>

#include <string>

#include "engine/ZoneLookup.h"

namespace kavro {
namespace {

TEST(SameText, AgreesWithEqualityAtEveryLengthAndPosition) {
  for (size_t length = 0; length <= 40; ++length) {
    std::string a;
    for (size_t k = 0; k < length; ++k) a += static_cast<char>('A' + k % 26);
    const std::string same = a;  // another buffer
    EXPECT_TRUE(SameText(a, same)) << length;
    EXPECT_FALSE(SameText(a, a + "x")) << length;
    for (size_t k = 0; k < length; ++k) {
      std::string b = a;
      b[k] = static_cast<char>(b[k] ^ 0x01);
      EXPECT_FALSE(SameText(a, b)) << "length " << length << " position " << k;
      b[k] = static_cast<char>(0x80);  // a byte with the top bit set
      EXPECT_FALSE(SameText(a, b)) << "length " << length << " position " << k;
    }
  }
  // The sentinel is compared exactly too: no other case, no trailing blank.
  EXPECT_TRUE(IsNotUsed("Not Used"));
  EXPECT_FALSE(IsNotUsed("Not used"));
  EXPECT_FALSE(IsNotUsed("Not Used "));
  EXPECT_FALSE(SameText("Z1", "Z2"));
  EXPECT_FALSE(SameText("", "Z"));
}

}  // namespace
}  // namespace kavro
