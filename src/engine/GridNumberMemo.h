#pragma once
// A value cell's text and the number read from it, the text kept in place: the replay types
// six or so values a cycle, a few characters each, and keeping them must cost less than a
// string's assignment.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/ShortTextCopy.h"
#include "engine/ZoneLookup.h"

namespace kavro {

struct GridNumberMemo {
  static constexpr size_t kMostChars = 22;  // every text a number typed into a cell leaves
  float value = 0;                          // the number of the cell's text when last taken
  bool filled = false;                      // chars hold the text that value was read from
  std::uint8_t size = 0;
  std::array<char, kMostChars> chars{};

  std::string_view Text() const { return {chars.data(), size}; }
  bool Holds(std::string_view text) const { return filled && SameText(Text(), text); }
  // The number of text; a text too long to keep in place is read again each time it is asked.
  void Remember(const std::string& text, float number) {
    value = number;
    filled = text.size() <= kMostChars;
    if (!filled) return;
    CopyShortText(chars.data(), text);
    size = static_cast<std::uint8_t>(text.size());
  }
};

}  // namespace kavro
