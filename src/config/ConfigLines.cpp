#include "config/ConfigLines.h"

namespace kavro {

std::vector<std::string> SplitConfigLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
    if (end == std::string::npos) end = bytes.size();
    if (end > start && bytes[end - 1] == '\r') --end;
    lines.emplace_back(bytes, start, end - start);
    start = next;
  }
  return lines;
}

std::optional<std::string> LineKey(std::string_view line) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::string_view key = line.substr(0, colon);
  const auto first = key.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::string();
  const auto last = key.find_last_not_of(" \t");
  return std::string(key.substr(first, last - first + 1));
}

std::string LineValue(std::string_view line) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos || colon + 2 > line.size()) return std::string();
  return std::string(line.substr(colon + 2));
}

}  // namespace kavro
