#include <gtest/gtest.h>

#include <string>

#include "common/SafeText.h"

namespace kavro {
namespace {

// What a tool echoes of its input can neither move the terminal nor run on for megabytes.
TEST(SafeText, EscapesControlBytesAndCutsLongText) {
  EXPECT_EQ(SafeText("plain text: 1.5"), "plain text: 1.5");
  EXPECT_EQ(SafeText("a\r\nb\tc\x1b[2J\x7f\\"), "a\\r\\nb\\tc\\x1b[2J\\x7f\\\\");
  EXPECT_EQ(SafeText(std::string(10'000'000, 'x')), std::string(kSafeTextLimit, 'x') + "...");
  EXPECT_EQ(SafeText("abcdef", 3), "abc...");
  EXPECT_EQ(BadInputLine("kavro-config", "bad\n.fcl", 4, "unexpected '\x1b'", 7),
            "kavro-config: bad\\n.fcl:4:7: unexpected '\\x1b'");
  EXPECT_EQ(BadInputLine("kavro-script", "x.scp", 0, "cannot read"),
            "kavro-script: x.scp: cannot read");
}

}  // namespace
}  // namespace kavro
