#pragma once
// Reads a working folder's plant history without disturbing the controller that writes it: the
// file is opened read-only (never created) and every query reads one consistent snapshot of the
// write-ahead log while the recorder goes on appending.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "history/CycleRecord.h"

namespace kavro {

// A history that cannot be read: its text is one line for the user. missing tells a folder that
// holds no history (the user's mistake) from a file that fails to read.
class HistoryReadError : public std::runtime_error {
 public:
  explicit HistoryReadError(const std::string& text, bool missing = false)
      : std::runtime_error(text), missing(missing) {}
  bool missing;
};

// A variable's process value over one pixel column of the trend.
struct ColumnExtremes {
  bool any = false;  // the column holds at least one cycle
  double min = 0;
  double max = 0;
};

class HistoryReader {
 public:
  // Throws HistoryReadError when the folder holds no history or it cannot be read.
  explicit HistoryReader(const std::string& workDir);
  ~HistoryReader();
  HistoryReader(const HistoryReader&) = delete;
  HistoryReader& operator=(const HistoryReader&) = delete;

  std::map<int, ConfigRevision> Revisions();
  // The times of the first and the last cycle; nothing when no cycle is recorded.
  std::optional<std::pair<std::int64_t, std::int64_t>> Span();
  // Each cycle with from <= time <= to, oldest first.
  void ForEachCycle(std::int64_t from, std::int64_t to,
                    const std::function<void(const CycleRecord&)>& visit);
  // For each of columns pixel columns of equal width over [from, to), the extremes of each
  // variable's process value (slots 1..NumIn inputs, NumIn + 1.. outputs); one scan of the
  // time key. result[slot][column].
  std::vector<std::vector<ColumnExtremes>> Extremes(std::int64_t from, std::int64_t to,
                                                    int columns);
  // The configuration revision of the last cycle of [from, to]; 0 when none.
  int NewestRevision(std::int64_t from, std::int64_t to);
  // The newest cycle at or before time; nothing when there is none.
  std::optional<CycleRecord> CycleAt(std::int64_t time);

 private:
  struct Connection;
  std::unique_ptr<Connection> connection_;
};

}  // namespace kavro
