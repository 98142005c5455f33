#pragma once
// The span of the plant history the trend shows: its end and its length, scrolled back over days
// or following the newest cycle ("live"), zoomed by presets from ten minutes to a month; for
// each variable the minimum and maximum of every pixel column, read by one query of the history;
// the clock-time labels of the time axis; the cycle at a time for the cursor. A history that is
// missing or cannot be read leaves the columns empty and is tried again at the next refresh:
// nothing here ever fails the caller.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/HistoryReader.h"

namespace kavro {

inline constexpr std::int64_t kMinuteMs = 60'000;
inline constexpr std::int64_t kHourMs = 60 * kMinuteMs;
inline constexpr std::int64_t kDayMs = 24 * kHourMs;
// "10 min", "1 h", "8 h", "24 h", "7 d", "30 d".
inline constexpr std::array<std::int64_t, 6> kTrendZoomSpans = {
    10 * kMinuteMs, kHourMs, 8 * kHourMs, 24 * kHourMs, 7 * kDayMs, 30 * kDayMs};
const char* TrendZoomCaption(std::size_t preset);

struct TimeAxisLabel {
  int column = 0;
  std::string text;  // "14:30", with the date where the day changes: "Dec-05 00:00"
};

class HistoryTrend {
 public:
  HistoryTrend();
  ~HistoryTrend();
  HistoryTrend(const HistoryTrend&) = delete;
  HistoryTrend& operator=(const HistoryTrend&) = delete;

  // The working folder whose history is read; a new one is opened at the next refresh.
  void SetWorkDir(const std::string& workDir);
  // How many pixel columns the plot has; a wider window reads more columns.
  void SetColumns(int columns);
  int Columns() const { return columns_; }
  void ZoomPreset(std::size_t preset);
  // Zooms in (factor < 1) or out around the span's end while live, else around its middle;
  // from one minute to one year.
  void Zoom(double factor);
  // Moves the span by a share of its length (negative: back in time). Leaves live; a span
  // moved to now or past it is live again.
  void ScrollBy(double spans, std::int64_t nowMs);
  void ScrollTo(std::int64_t end, std::int64_t nowMs);
  void GoLive() { live_ = true; }
  bool Live() const { return live_; }
  std::int64_t SpanMs() const { return spanMs_; }
  std::int64_t End() const { return end_; }
  std::int64_t Start() const { return end_ - spanMs_; }

  // Reads the span from the history: live, its end is now; scrolled back, it stays. False while
  // there is no history to read (none recorded yet, or a file that fails): the columns stay empty.
  bool Refresh(std::int64_t nowMs);
  // Slot 1..NumIn inputs, NumIn + 1.. outputs: one entry per column.
  const std::vector<ColumnExtremes>& ExtremesOf(int slot) const;
  // The column of a time within the span, clamped to the columns.
  int ColumnOf(std::int64_t time) const;
  // The time of a column's left edge.
  std::int64_t TimeOfColumn(int column) const;
  std::vector<TimeAxisLabel> AxisLabels() const;
  // The newest cycle at or before time; nothing when there is none or the history fails.
  std::optional<CycleRecord> CycleAt(std::int64_t time);
  // Each recorded cycle of the span, oldest first; false when the history cannot be read.
  bool ForEachCycle(const std::function<void(const CycleRecord&)>& visit);
  // The first and last cycle recorded, for the scroll bar; nothing before there is one.
  std::optional<std::pair<std::int64_t, std::int64_t>> Recorded();

 private:
  HistoryReader* Reader();
  std::string workDir_;
  std::unique_ptr<HistoryReader> reader_;
  int columns_ = 600;
  std::int64_t spanMs_ = kHourMs;  // a restart opens on the last hour
  std::int64_t end_ = 0;
  bool live_ = true;
  std::vector<std::vector<ColumnExtremes>> extremes_;
};

}  // namespace kavro
