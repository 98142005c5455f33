#pragma once
// Letter case of names and texts: the language's names ignore case; texts are 8-bit, and only
// ASCII letters change case.
#include <string>
#include <string_view>

namespace kavro::vbs {

inline char LowerChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
inline char UpperChar(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

inline std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (auto& c : out) c = LowerChar(c);
  return out;
}

inline std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (auto& c : out) c = UpperChar(c);
  return out;
}

}  // namespace kavro::vbs
