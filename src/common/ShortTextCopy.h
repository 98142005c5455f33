#pragma once
// Copying a short text into room of its own, worked out inline: the replay keeps some thirty
// texts of a few characters a cycle (typed values, rule strengths, outputs), where a library
// call per text costs more than the copy. Texts of 4 characters or more are moved a word at a
// time (the last word overlapping the one before), shorter ones by their first, middle and last
// character; nothing is read or written beyond either text's end.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/RestrictFalseReport.h"

namespace kavro {

// Copies text to to[0, text.size()); to has room for that many characters.
inline void CopyShortText(char* to, std::string_view text) {
  const size_t n = text.size();
  const char* from = text.data();
  if (n >= 8) {
    uint64_t word;
    for (size_t k = 0; k + 8 < n; k += 8) {
      std::memcpy(&word, from + k, sizeof word);
      std::memcpy(to + k, &word, sizeof word);
    }
    std::memcpy(&word, from + n - 8, sizeof word);
    std::memcpy(to + n - 8, &word, sizeof word);
    return;
  }
  if (n >= 4) {
    uint32_t first;
    uint32_t last;
    std::memcpy(&first, from, sizeof first);
    std::memcpy(&last, from + n - 4, sizeof last);
    std::memcpy(to, &first, sizeof first);
    std::memcpy(to + n - 4, &last, sizeof last);
    return;
  }
  if (n == 0) return;
  to[0] = from[0];
  to[n / 2] = from[n / 2];
  to[n - 1] = from[n - 1];
}

// Sets to to text; in place when the two are as long (a value typed over the one before
// mostly has as many characters), else by the string's own assignment.
inline void AssignText(std::string& to, std::string_view text) {
  if (to.size() == text.size()) {
    CopyShortText(to.data(), text);
  } else {
    KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
    to.assign(text);
    KAVRO_STRING_RESTRICT_FALSE_REPORT_END
  }
}

}  // namespace kavro
