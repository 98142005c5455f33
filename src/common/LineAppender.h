#pragma once
// Appends whole lines to a log file that is never rewritten: a line goes out whole or not at
// all. Should the disk fill up in its middle, the file is cut back to where it was, so the log
// never holds a torn line for the next one to run into; and should a torn line be there already
// (a crash in the middle of a write), the next line begins on a line of its own. With a size
// limit, a full file is renamed to <path>.1 (replacing the older one) and a new file is begun,
// so a controller that runs for years keeps a bounded log.
#include <cstdint>
#include <string>

#include "common/FileCalls.h"

namespace kavro {

class LineAppender {
 public:
  // maxBytes 0: no limit. durable: each line reaches the disk before Append returns, for a log
  // that must survive a power cut (the audit trail).
  explicit LineAppender(std::string path, std::uintmax_t maxBytes = 0, bool durable = false,
                        FileCalls& calls = SystemFileCalls());

  // Appends line and a line end. False when the line could not be written whole: what part of
  // it went out is cut off again, and error says why. The next call tries again.
  bool Append(const std::string& line, std::string* error = nullptr);
  const std::string& Path() const { return path_; }

 private:
  // Opens the file for appending, first moving a full one aside; -1 on failure.
  int OpenRotated(std::size_t lineBytes, off_t& size, std::string& failed);
  // Whether the file's last byte ends a line (true for an empty file).
  bool EndsWithLineEnd(int fd, off_t size);

  std::string path_;
  std::uintmax_t maxBytes_;
  bool durable_;
  FileCalls& calls_;
};

}  // namespace kavro
