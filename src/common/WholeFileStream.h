#pragma once
// A file too large to build in memory first (a replay's results, a history export) still
// appears whole or not at all: the stream goes to a file beside it, which is renamed over the
// path only when every byte was written; on failure that file is removed and the old one kept.
#include <functional>
#include <ostream>
#include <string>

namespace kavro {

// False when the file could not be opened, written or renamed; write is not called when the
// file cannot be opened.
bool WriteWholeFileStream(const std::string& path, const std::function<void(std::ostream&)>& write);

}  // namespace kavro
