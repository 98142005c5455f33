#include "display/HistoryTrend.h"

#include <algorithm>
#include <cmath>

#include "history/HistoryTime.h"
#include "model/Dimensions.h"

namespace kavro {
namespace {

constexpr std::int64_t kShortestSpan = kMinuteMs;
constexpr std::int64_t kLongestSpan = 366 * kDayMs;

// Label steps that land on round clock times; the first that leaves at least 80 pixels apart.
constexpr std::array<std::int64_t, 14> kAxisSteps = {
    kMinuteMs,      2 * kMinuteMs, 5 * kMinuteMs, 10 * kMinuteMs, 15 * kMinuteMs,
    30 * kMinuteMs, kHourMs,       2 * kHourMs,   3 * kHourMs,    6 * kHourMs,
    12 * kHourMs,   kDayMs,        2 * kDayMs,    7 * kDayMs};
constexpr int kAxisLabelPixels = 80;

}  // namespace

const char* TrendZoomCaption(std::size_t preset) {
  static constexpr std::array<const char*, 6> kCaptions = {"10 min", "1 h", "8 h",
                                                           "24 h",   "7 d", "30 d"};
  return preset < kCaptions.size() ? kCaptions[preset] : "";
}

HistoryTrend::HistoryTrend() : extremes_(NumIn + NumOut + 1) {}
HistoryTrend::~HistoryTrend() = default;

void HistoryTrend::SetWorkDir(const std::string& workDir) {
  if (workDir == workDir_) return;
  workDir_ = workDir;
  reader_.reset();
}

void HistoryTrend::SetColumns(int columns) {
  columns_ = std::max(columns, 2);
}

void HistoryTrend::ZoomPreset(std::size_t preset) {
  if (preset < kTrendZoomSpans.size())
    Zoom(static_cast<double>(kTrendZoomSpans[preset]) / static_cast<double>(spanMs_));
}

void HistoryTrend::Zoom(double factor) {
  if (!(factor > 0)) return;
  const auto span = std::clamp(static_cast<std::int64_t>(std::llround(spanMs_ * factor)),
                               kShortestSpan, kLongestSpan);
  if (!live_) end_ += (span - spanMs_) / 2;  // the middle stays where it was
  spanMs_ = span;
}

void HistoryTrend::ScrollBy(double spans, std::int64_t nowMs) {
  ScrollTo(end_ + static_cast<std::int64_t>(std::llround(spans * static_cast<double>(spanMs_))),
           nowMs);
}

void HistoryTrend::ScrollTo(std::int64_t end, std::int64_t nowMs) {
  live_ = end >= nowMs;
  end_ = live_ ? nowMs : end;
}

HistoryReader* HistoryTrend::Reader() {
  if (!reader_ && !workDir_.empty()) {
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
  if (live_) end_ = nowMs;
  for (auto& slot : extremes_) slot.assign(static_cast<std::size_t>(columns_), ColumnExtremes{});
  HistoryReader* reader = Reader();
  if (!reader) return false;
  try {
    extremes_ = reader->Extremes(Start(), end_, columns_);
    return true;
  } catch (const std::exception&) {
    // A history that went away (renamed aside as damaged): opened afresh next time.
    reader_.reset();
    for (auto& slot : extremes_) slot.assign(static_cast<std::size_t>(columns_), ColumnExtremes{});
    return false;
  }
}

const std::vector<ColumnExtremes>& HistoryTrend::ExtremesOf(int slot) const {
  return extremes_.at(static_cast<std::size_t>(slot));
}

int HistoryTrend::ColumnOf(std::int64_t time) const {
  const double place =
      static_cast<double>(time - Start()) * columns_ / static_cast<double>(spanMs_);
  return static_cast<int>(std::clamp(std::floor(place), 0.0, columns_ - 1.0));
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

std::optional<CycleRecord> HistoryTrend::CycleAt(std::int64_t time) {
  HistoryReader* reader = Reader();
  if (!reader) return std::nullopt;
  try {
    return reader->CycleAt(time);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool HistoryTrend::ForEachCycle(const std::function<void(const CycleRecord&)>& visit) {
  HistoryReader* reader = Reader();
  if (!reader) return false;
  try {
    reader->ForEachCycle(Start(), end_, visit);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace kavro
