#include "history/RetentionSetting.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "common/DurableWrite.h"
#include "history/HistoryRecorder.h"

namespace kavro {
namespace {

constexpr std::string_view kKey = "RetentionDays=";

std::string SettingsPath(const std::string& workDir) {
  return workDir + "/" + kHistorySettingsFileName;
}

}  // namespace

std::optional<int> ParseRetentionDays(const std::string& text) {
  int days = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, days);
  if (error != std::errc() || stop != end || days < 1 || days > kMaxRetentionDays) {
    return std::nullopt;
  }
  return days;
}

int ReadRetentionDays(const std::string& workDir) {
  std::ifstream file(SettingsPath(workDir), std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.rfind(kKey, 0) != 0) continue;
    if (const auto days = ParseRetentionDays(line.substr(kKey.size()))) return *days;
  }
  return kDefaultRetentionDays;
}

bool SaveRetentionDays(const std::string& workDir, int days, std::string* error) {
  return WriteFileDurably(SettingsPath(workDir),
                          std::string(kKey) + std::to_string(days) + "\r\n", error);
}

}  // namespace kavro
