#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "edit/AuditTrail.h"

namespace kavro {

bool SystemAuditSink::Append(const std::string& path, const std::string& bytes) {
  // The port adds the line end itself and writes the line in one piece, flushed to disk.
  std::string line = bytes;
  if (!line.empty() && line.back() == '\n') line.pop_back();
  return files_->AppendLine(path, line, LogRule{0, true});
}

std::string SystemAuditSink::Timestamp() {
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

std::string SystemAuditSink::LoginName() {
  if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name) {
    return entry->pw_name;
  }
  return "uid " + std::to_string(::geteuid());
}

}  // namespace kavro
