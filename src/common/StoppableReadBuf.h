#pragma once
// A stream buffer that reads through another until it is told to stop, and from then on reads as
// if the text had ended: the replay's cycles stop reading a trace that the check running beside
// them has refused, instead of running on to the bad row.
#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <streambuf>
#include <utility>

namespace kavro {

class StoppableReadBuf : public std::streambuf {
 public:
  // stop is asked before each read from source; it must be cheap and safe from this thread.
  StoppableReadBuf(std::streambuf& source, std::function<bool()> stop)
      : source_(source), stop_(std::move(stop)) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (stop_()) return traits_type::eof();
    const std::streamsize got = source_.sgetn(buffer_.data(), buffer_.size());
    if (got <= 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
    return traits_type::to_int_type(*gptr());
  }
  // Large reads (the trace reader's blocks) go straight from the source, without a copy here.
  std::streamsize xsgetn(char* to, std::streamsize count) override {
    const std::streamsize held = std::min<std::streamsize>(count, egptr() - gptr());
    if (held > 0) {
      std::memcpy(to, gptr(), static_cast<std::size_t>(held));
      setg(eback(), gptr() + held, egptr());
    }
    if (held == count || stop_()) return held;
    return held + std::max<std::streamsize>(0, source_.sgetn(to + held, count - held));
  }

 private:
  std::streambuf& source_;
  std::function<bool()> stop_;
  std::array<char, 4096> buffer_{};
};

}  // namespace kavro
