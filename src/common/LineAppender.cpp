#include "common/LineAppender.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace kavro {

LineAppender::LineAppender(std::string path, std::uintmax_t maxBytes)
    : path_(std::move(path)), maxBytes_(maxBytes) {}

bool LineAppender::Append(const std::string& line, std::string* error) {
  auto fail = [&](const char* what) {
    if (error) *error = std::string(what) + " " + path_ + " (" + std::strerror(errno) + ")";
    return false;
  };
  struct stat info {};
  if (maxBytes_ > 0 && ::stat(path_.c_str(), &info) == 0 &&
      static_cast<std::uintmax_t>(info.st_size) + line.size() + 1 > maxBytes_) {
    const std::string older = path_ + ".1";
    if (::rename(path_.c_str(), older.c_str()) != 0) return fail("Cannot rotate");
  }
  const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return fail("Cannot open");
  const std::string whole = line + "\n";
  const ssize_t written = ::write(fd, whole.data(), whole.size());
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  if (written != static_cast<ssize_t>(whole.size())) {
    errno = written < 0 ? writeError : ENOSPC;
    return fail("Cannot append to");
  }
  if (!closed) return fail("Cannot append to");
  return true;
}

}  // namespace kavro
