#include <gtest/gtest.h>

#include <atomic>
#include <istream>
#include <string>

#include "common/StoppableReadBuf.h"
#include "common/TextReadBuf.h"

namespace kavro::test {
namespace {

std::string Numbered(int lines) {
  std::string text;
  for (int k = 0; k < lines; ++k) text.append(std::to_string(k)).append(",40.125\n");
  return text;
}

// Until stopped it passes the text on whole, whichever way it is read: in blocks that do not
// line up with its own buffer, line by line, or mixed, so no byte is lost or doubled where a
// buffered read meets a direct one.
TEST(StoppableReadBufTest, PassesEveryByteOnUntilStopped) {
  const std::string text = Numbered(5000);  // about 60 KB: many of its buffers
  for (const std::streamsize block : {1, 7, 4095, 4096, 4097, 65536}) {
    TextReadBuf source(text);
    StoppableReadBuf through(source, [] { return false; });
    std::istream in(&through);
    std::string read, line;
    std::string chunk(static_cast<std::size_t>(block), '\0');
    for (bool byLine = false; in; byLine = !byLine) {
      if (byLine && std::getline(in, line)) {
        read.append(line).append("\n");
      } else if (!byLine) {
        in.read(chunk.data(), block);
        read.append(chunk, 0, static_cast<std::size_t>(in.gcount()));
      }
    }
    EXPECT_EQ(read, text) << "blocks of " << block;
  }
}

// Once stopped, what is read further is at most what was already buffered, and then the end:
// a reader in the middle of a long text gets no more from its source.
TEST(StoppableReadBufTest, ReadsAsAtTheEndOnceStopped) {
  const std::string text = Numbered(50000);
  TextReadBuf source(text);
  std::atomic<bool> stop = false;
  StoppableReadBuf through(source, [&stop] { return stop.load(); });
  std::istream in(&through);
  std::string line;
  for (int k = 0; k < 10; ++k) ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "9,40.125");
  stop = true;
  std::string rest(1 << 16, '\0');
  in.read(rest.data(), static_cast<std::streamsize>(rest.size()));
  EXPECT_LT(in.gcount(), 4096) << "read on from the source after the stop";
  EXPECT_TRUE(in.eof());
  in.clear();
  EXPECT_FALSE(std::getline(in, line));
  // The source itself was left where the stop found it.
  EXPECT_EQ(source.in_avail(), static_cast<std::streamsize>(text.size()) - 4096);
}

}  // namespace
}  // namespace kavro::test
