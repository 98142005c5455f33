#pragma once
// Small string helpers shared by every layer. Blanks are spaces only, as the controller's own
// trimming treats them; TrimAll also drops tabs, CR and LF.
#include <string>
#include <string_view>

namespace kavro {

std::string TrimRight(std::string_view text);  // trailing spaces removed
std::string TrimLeft(std::string_view text);   // leading spaces removed
std::string Trim(std::string_view text);       // both
// True when TrimRight(text) would be empty; checked every cycle, so nothing is copied.
inline bool IsAllSpaces(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}
bool Contains(std::string_view text, std::string_view part);
bool StartsWith(std::string_view text, std::string_view prefix);

}  // namespace kavro
