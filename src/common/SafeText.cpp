#include "common/SafeText.h"

namespace kavro {

std::string SafeText(std::string_view text, std::size_t limit) {
  static constexpr char kHex[] = "0123456789abcdef";
  const std::string_view kept = text.substr(0, limit);
  std::string safe;
  safe.reserve(kept.size() + 3);
  for (const char c : kept) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      safe += "\\\\";
    } else if (c == '\n') {
      safe += "\\n";
    } else if (c == '\r') {
      safe += "\\r";
    } else if (c == '\t') {
      safe += "\\t";
    } else if (byte < 0x20 || byte == 0x7f) {
      safe += "\\x";
      safe += kHex[byte >> 4];
      safe += kHex[byte & 0xf];
    } else {
      safe += c;
    }
  }
  if (text.size() > limit) safe += "...";
  return safe;
}

std::string BadInputLine(std::string_view tool, std::string_view file, int line,
                         std::string_view what, int column) {
  std::string text = std::string(tool) + ": " + SafeText(file, 4 * kSafeTextLimit);
  // Appended piece by piece: a literal put before a string trips GCC 12's -O3 -Wrestrict.
  if (line > 0) text.append(":").append(std::to_string(line));
  if (line > 0 && column > 0) text.append(":").append(std::to_string(column));
  return text.append(": ").append(SafeText(what, 4 * kSafeTextLimit));
}

}  // namespace kavro
