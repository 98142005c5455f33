#include "common/LineAppender.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace kavro {

LineAppender::LineAppender(std::string path, std::uintmax_t maxBytes, bool durable,
                           FileCalls& calls)
    : path_(std::move(path)), maxBytes_(maxBytes), durable_(durable), calls_(calls) {}

int LineAppender::OpenRotated(std::size_t lineBytes, off_t& size, std::string& failed) {
  // Read as well as append: the last byte tells whether a torn line waits for its end.
  constexpr int kFlags = O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC;
  int fd = calls_.Open(path_.c_str(), kFlags, 0644);
  struct stat info {};
  if (fd >= 0 && calls_.Fstat(fd, &info) != 0) {
    const int reason = errno;
    calls_.Close(fd);
    errno = reason;
    fd = -1;
  }
  if (fd < 0) {
    failed = "Cannot open";
    return -1;
  }
  size = info.st_size;
  const auto after = static_cast<std::uintmax_t>(size) + lineBytes;
  if (maxBytes_ == 0 || size == 0 || after <= maxBytes_) return fd;
  calls_.Close(fd);
  const std::string older = path_ + ".1";
  if (calls_.Rename(path_.c_str(), older.c_str()) != 0) {
    failed = "Cannot rotate";
    return -1;
  }
  size = 0;
  fd = calls_.Open(path_.c_str(), kFlags, 0644);
  if (fd < 0) failed = "Cannot open";
  return fd;
}

bool LineAppender::EndsWithLineEnd(int fd, off_t size) {
  char last = '\n';
  return size == 0 || calls_.Pread(fd, &last, 1, size - 1) != 1 || last == '\n';
}

bool LineAppender::Append(const std::string& line, std::string* error) {
  auto fail = [&](const std::string& what, int reason) {
    if (error) *error = what + " " + path_ + " (" + std::strerror(reason) + ")";
    return false;
  };
  std::string failed;
  off_t before = 0;
  const int fd = OpenRotated(line.size() + 1, before, failed);
  if (fd < 0) return fail(failed, errno);
  std::string whole;
  whole.reserve(line.size() + 2);
  if (!EndsWithLineEnd(fd, before)) whole += '\n';
  whole += line;
  whole += '\n';
  bool written =
      WriteAll(calls_, fd, whole.data(), whole.size()) && (!durable_ || calls_.Fsync(fd) == 0);
  int reason = errno;
  // Whole or nothing: what part of the line went out is cut off again. Should even that fail,
  // the next line still starts on a line of its own (see EndsWithLineEnd).
  if (!written) calls_.Ftruncate(fd, before);
  if (calls_.Close(fd) != 0 && written) {
    written = false;
    reason = errno;
  }
  return written || fail("Cannot append to", reason);
}

}  // namespace kavro
