#pragma once
// The line grammar of FLC.dat shared by the reader and the writer.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

inline constexpr const char* kCrLf = "\r\n";

// The lines of a file; each ends at LF, with a CR before it dropped. A last line without a line
// end counts; an empty file has no lines.
std::vector<std::string> SplitConfigLines(const std::string& bytes);

// The key of a label line: the text before its first colon with blanks around it removed;
// nothing when the line has no colon.
std::optional<std::string> LineKey(std::string_view line);

// The value of a label line: its text from the second character after the first colon, so
// "Name1: ABC" gives "ABC" (and "Name1:ABC" gives "BC", as files have always been read).
std::string LineValue(std::string_view line);

}  // namespace kavro
