#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "edit/AuditTrail.h"

namespace kavro {

namespace {

class PosixAuditSink final : public AuditSink {
 public:
  bool Append(const std::string& path, const std::string& bytes) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    // One write for the whole line: with O_APPEND it lands whole at the end, never between
    // another writer's bytes. A short write is reported as a failure, not retried, so a line is
    // never written in two pieces.
    ssize_t written;
    do {
      written = ::write(fd, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    const bool whole = written == static_cast<ssize_t>(bytes.size());
    const bool synced = ::fdatasync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return whole && synced && closed;
  }

  std::string Timestamp() override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    const long offset = local.tm_gmtoff;
    const long magnitude = offset < 0 ? -offset : offset;
    char zone[48];
    std::snprintf(zone, sizeof zone, "%c%02ld:%02ld", offset < 0 ? '-' : '+', magnitude / 3600,
                  magnitude % 3600 / 60);
    return std::string(text) + zone;
  }

  std::string LoginName() override {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name) {
      return entry->pw_name;
    }
    return "uid " + std::to_string(::geteuid());
  }
};

}  // namespace

AuditSink& SystemAuditSink() {
  static PosixAuditSink sink;
  return sink;
}

}  // namespace kavro
