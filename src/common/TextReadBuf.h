#pragma once
// A stream buffer that reads a text held elsewhere, without a copy of it: several streams can
// read one large text (a replay's history trace, read by the check and by the cycles) side by
// side. The text must outlive the buffer and not change while it is read.
#include <streambuf>
#include <string_view>

namespace kavro {

class TextReadBuf : public std::streambuf {
 public:
  explicit TextReadBuf(std::string_view text = {}) { Show(text); }
  // Reads text from its start.
  void Show(std::string_view text) {
    // The get area is only read from: nothing writes through these pointers.
    char* first = const_cast<char*>(text.data());
    setg(first, first, first + text.size());
  }
};

}  // namespace kavro
