#pragma once
// Text taken from outside input (a token of a file, a file name, a line of a configuration)
// shown back in one line of a message: a control byte must not move the terminal, end the line
// or hide what follows, and a 10 MB token must not come back whole.
#include <cstddef>
#include <string>
#include <string_view>

namespace kavro {

inline constexpr std::size_t kSafeTextLimit = 80;

// The text with backslashes doubled and control bytes escaped ("\n", "\r", "\t", "\x1b"), cut
// after limit bytes of the original with "..." added.
std::string SafeText(std::string_view text, std::size_t limit = kSafeTextLimit);

// The one line a tool gives for bad input: "tool: file:line:column: what" (line and column left
// out when not known, 0), the file name and the text made safe; what is cut at four limits.
std::string BadInputLine(std::string_view tool, std::string_view file, int line,
                         std::string_view what, int column = 0);

}  // namespace kavro
