#include "display/HistoryTrend.h"

#include <algorithm>
#include <cmath>

#include "common/NumberText.h"
#include "display/PenColours.h"
#include "history/HistoryExport.h"
#include "history/HistoryTime.h"

namespace kavro {
namespace {

constexpr std::int64_t kShortestSpan = kMinuteMs;
constexpr std::int64_t kLongestSpan = 366 * kDayMs;

std::string ScaleText(double value) { return FormatNumber(value, "#####0.000"); }

// Label steps that land on round clock times; the first that leaves at least 80 pixels apart.
constexpr std::array<std::int64_t, 14> kAxisSteps = {
    kMinuteMs,      2 * kMinuteMs, 5 * kMinuteMs, 10 * kMinuteMs, 15 * kMinuteMs,
    30 * kMinuteMs, kHourMs,       2 * kHourMs,   3 * kHourMs,    6 * kHourMs,
    12 * kHourMs,   kDayMs,        2 * kDayMs,    7 * kDayMs};
constexpr int kAxisLabelPixels = 80;

}  // namespace

const char* TrendZoomCaption(std::size_t preset) {
  static constexpr std::array<const char*, 6> kCaptions = {"10 min", "1 h",  "8 h",
                                                           "24 h",   "7 d", "30 d"};
  return preset < kCaptions.size() ? kCaptions[preset] : "";
}

HistoryTrend::HistoryTrend(std::string workDir) : workDir_(std::move(workDir)) {}
HistoryTrend::~HistoryTrend() = default;

void HistoryTrend::SetColumns(int columns) { columns_ = std::max(columns, 2); }

void HistoryTrend::ZoomPreset(std::size_t preset) {
  if (preset < kTrendZoomSpans.size()) Zoom(static_cast<double>(kTrendZoomSpans[preset]) /
                                            static_cast<double>(spanMs_));
}

void HistoryTrend::Zoom(double factor) {
  if (!(factor > 0)) return;
  const auto span = std::clamp(static_cast<std::int64_t>(std::llround(spanMs_ * factor)),
                               kShortestSpan, kLongestSpan);
  if (!live_) end_ += (span - spanMs_) / 2;  // the middle stays where it was
  spanMs_ = span;
}

void HistoryTrend::ScrollBy(double spans) {
  ScrollTo(end_ + static_cast<std::int64_t>(std::llround(spans * static_cast<double>(spanMs_))));
}

void HistoryTrend::ScrollTo(std::int64_t end) {
  live_ = false;
  end_ = end;
}

HistoryReader* HistoryTrend::Reader() {
  if (!reader_) {
    try {
      reader_ = std::make_unique<HistoryReader>(workDir_);
    } catch (const HistoryReadError&) {
      return nullptr;  // nothing recorded yet: tried again at the next refresh
    }
  }
  return reader_.get();
}

std::optional<std::pair<std::int64_t, std::int64_t>> HistoryTrend::Recorded() {
  HistoryReader* reader = Reader();
  if (!reader) return std::nullopt;
  try {
    return reader->Span();
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool HistoryTrend::Refresh(std::int64_t nowMs) {
  if (live_ || end_ >= nowMs) {
    live_ = true;
    end_ = nowMs;
  }
  pens_.clear();
  HistoryReader* reader = Reader();
  if (!reader) return false;
  try {
    const auto revisions = reader->Revisions();
    const auto config = revisions.find(reader->NewestRevision(Start(), end_));
    const auto newest = config != revisions.end() ? config
                        : revisions.empty()       ? revisions.end()
                                                  : std::prev(revisions.end());
    if (newest == revisions.end()) return true;
    auto extremes = reader->Extremes(Start(), end_, columns_);
    for (int pen = 1; pen <= NumIn + NumOut; ++pen) {
      const VariableInfo& info =
          pen <= NumIn ? newest->second.in[pen] : newest->second.out[pen - NumIn];
      if (info.name.empty()) continue;
      HistoryPen shown;
      shown.pen = pen;
      shown.name = info.name;
      shown.colour = PenColor(pen);
      shown.columns = std::move(extremes[static_cast<std::size_t>(pen)]);
      if (info.high > info.low) {
        shown.top = info.high;
        shown.bottom = info.low;
      } else {
        // No zone range: the span's own values, a flat trace in the middle of a band of 1.
        double top = -1e30, bottom = 1e30;
        for (const ColumnExtremes& cell : shown.columns) {
          if (!cell.any) continue;
          top = std::max(top, cell.max);
          bottom = std::min(bottom, cell.min);
        }
        if (top < bottom) top = bottom = 0;
        if (top - bottom < 0.05) {
          const double middle = (top + bottom) / 2;
          top = middle + 0.5;
          bottom = middle - 0.5;
        }
        shown.top = top;
        shown.bottom = bottom;
      }
      shown.scaleTop = ScaleText(shown.top);
      shown.scaleBottom = ScaleText(shown.bottom);
      pens_.push_back(std::move(shown));
    }
    return true;
  } catch (const std::exception&) {
    // A history that went away (renamed aside as damaged): opened afresh next time.
    reader_.reset();
    pens_.clear();
    return false;
  }
}

std::int64_t HistoryTrend::TimeOfColumn(int column) const {
  return Start() + spanMs_ * column / columns_;
}

std::vector<TimeAxisLabel> HistoryTrend::AxisLabels() const {
  std::int64_t step = kAxisSteps.back();
  for (const std::int64_t candidate : kAxisSteps) {
    if (candidate * columns_ / spanMs_ >= kAxisLabelPixels) {
      step = candidate;
      break;
    }
  }
  std::vector<TimeAxisLabel> labels;
  // Times are the plant's clock counted as UTC, so whole days fall on multiples of a day.
  std::int64_t t = (Start() + step - 1) / step * step;
  int previousDay = -1;
  for (; t < end_; t += step) {
    const DateTime when = DateTimeOfHistoryMs(t);
    const int column = static_cast<int>((t - Start()) * columns_ / spanMs_);
    const bool newDay = previousDay >= 0 && when.day != previousDay;
    const bool showDate = step >= kDayMs || newDay || (when.hour == 0 && when.minute == 0);
    labels.push_back({column, FormatDateTime(when, showDate ? "mmm-dd hh:mm" : "hh:mm")});
    previousDay = when.day;
  }
  return labels;
}

std::optional<CursorReading> HistoryTrend::CursorAt(int column) {
  HistoryReader* reader = Reader();
  if (!reader || column < 0 || column >= columns_) return std::nullopt;
  try {
    const std::int64_t time = TimeOfColumn(column + 1) - 1;
    const auto cycle = reader->CycleAt(time);
    if (!cycle || cycle->timeMs < Start()) return std::nullopt;
    CursorReading reading;
    reading.time = HistoryTimeText(cycle->timeMs);
    for (const HistoryPen& pen : pens_) {
      const double value =
          pen.pen <= NumIn ? cycle->in[pen.pen].pv : cycle->out[pen.pen - NumIn].pv;
      reading.values.emplace_back(pen.name, FormatNumber(value, "####0.000"));
    }
    return reading;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

long HistoryTrend::ExportCsv(std::ostream& out) {
  HistoryReader* reader = Reader();
  if (!reader) return 0;
  return ExportHistoryCsv(*reader, Start(), end_, 0, out);
}

}  // namespace kavro
