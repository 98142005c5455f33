#pragma once
// Appends whole lines to a log file that is never rewritten: each line goes out in one write on
// a file opened for appending, so a reader (or a second writer) never sees half a line, and a
// crash loses at most the line being written. With a size limit, a full file is renamed to
// <path>.1 (replacing the older one) and a new file is begun, so a controller that runs for years
// keeps a bounded log.
#include <cstdint>
#include <string>

namespace kavro {

class LineAppender {
 public:
  // maxBytes 0: no limit.
  explicit LineAppender(std::string path, std::uintmax_t maxBytes = 0);

  // Appends line and a line end. False when the line could not be written whole; error then says
  // why. The next call tries again.
  bool Append(const std::string& line, std::string* error = nullptr);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::uintmax_t maxBytes_;
};

}  // namespace kavro
