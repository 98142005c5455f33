#pragma once
// The trend over the plant history: the span it shows (its end and its length), scrolled back
// over days or following the newest cycle ("live"), zoomed by presets from ten minutes to a
// month; for each pen the minimum and maximum of every pixel column read by one query of the
// history, its scale (name and range), the clock-time labels of the time axis, and what the
// cursor reads at a column. The window draws what this holds and turns its gestures into these
// calls; nothing here needs a window.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "history/HistoryReader.h"
#include "model/Colour.h"

namespace kavro {

inline constexpr std::int64_t kMinuteMs = 60'000;
inline constexpr std::int64_t kHourMs = 60 * kMinuteMs;
inline constexpr std::int64_t kDayMs = 24 * kHourMs;
// "10 min", "1 h", "8 h", "24 h", "7 d", "30 d".
inline constexpr std::array<std::int64_t, 6> kTrendZoomSpans = {
    10 * kMinuteMs, kHourMs, 8 * kHourMs, 24 * kHourMs, 7 * kDayMs, 30 * kDayMs};
const char* TrendZoomCaption(std::size_t preset);

struct HistoryPen {
  int pen = 0;  // 1..NumIn inputs, NumIn + 1.. outputs (PenColours.h)
  std::string name;
  Colour colour;
  double top = 1;  // the scale: the variable's zone range, or the span's values without one
  double bottom = 0;
  std::string scaleTop;     // "1400.000"
  std::string scaleBottom;  // "1250.000"
  std::vector<ColumnExtremes> columns;
};

struct TimeAxisLabel {
  int column = 0;
  std::string text;  // "14:30", with the date where the day changes: "Dec-05 00:00"
};

struct CursorReading {
  std::string time;  // "2026-12-05 14:31:20"
  std::vector<std::pair<std::string, std::string>> values;  // pen name, value "####0.000"
};

class HistoryTrend {
 public:
  explicit HistoryTrend(std::string workDir);
  ~HistoryTrend();

  // How many pixel columns the plot has; a wider window reads more columns.
  void SetColumns(int columns);
  int Columns() const { return columns_; }
  void ZoomPreset(std::size_t preset);
  // Zooms in (factor < 1) or out around the span's end while live, else around its middle;
  // from one minute to one year.
  void Zoom(double factor);
  // Moves the span by a share of its length (negative: back in time). Leaves live; a span
  // moved past now is live again.
  void ScrollBy(double spans);
  void ScrollTo(std::int64_t end);
  void GoLive() { live_ = true; }
  bool Live() const { return live_; }
  std::int64_t SpanMs() const { return spanMs_; }
  std::int64_t End() const { return end_; }
  std::int64_t Start() const { return end_ - spanMs_; }

  // Reads the span from the history: live, its end is now. False while there is no history to
  // read (none recorded yet): the pens stay empty.
  bool Refresh(std::int64_t nowMs);
  const std::vector<HistoryPen>& Pens() const { return pens_; }
  std::vector<TimeAxisLabel> AxisLabels() const;
  // The time of a column's left edge.
  std::int64_t TimeOfColumn(int column) const;
  // The newest cycle at or before the column's time; nothing when there is none in the span.
  std::optional<CursorReading> CursorAt(int column);
  // The span shown as CSV, one row per cycle (see HistoryExport.h); the rows written.
  long ExportCsv(std::ostream& out);
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
  std::vector<HistoryPen> pens_;
};

}  // namespace kavro
