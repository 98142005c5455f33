#include "history/HistoryExport.h"

#include <charconv>
#include <functional>
#include <vector>

#include "common/CsvText.h"
#include "history/HistoryTime.h"

namespace kavro {
namespace {

struct Column {
  std::string header;
  std::function<std::optional<double>(const CycleRecord&)> value;
  // Shown as "X" when a cycle has no value (what the link did not send).
  bool noValueIsX = false;
};

std::string NumberText(double value) {
  // Recorded values are single precision: their shortest text reads back the same.
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

std::optional<double> Flag(bool on) { return on ? 1.0 : 0.0; }

std::vector<Column> Columns(const ConfigRevision& config) {
  std::vector<Column> columns;
  for (int i = 1; i <= NumIn; ++i) {
    const std::string& name = config.in[i].name;
    if (name.empty()) continue;
    columns.push_back({name, [i](const CycleRecord& r) { return r.in[i].pv; }});
    columns.push_back({name + " high", [i](const CycleRecord& r) { return r.in[i].high; }});
    columns.push_back({name + " low", [i](const CycleRecord& r) { return r.in[i].low; }});
  }
  for (int o = 1; o <= NumOut; ++o) {
    const std::string& name = config.out[o].name;
    if (name.empty()) continue;
    columns.push_back({name, [o](const CycleRecord& r) { return r.out[o].pv; }});
    columns.push_back({name + " high", [o](const CycleRecord& r) { return r.out[o].high; }});
    columns.push_back({name + " low", [o](const CycleRecord& r) { return r.out[o].low; }});
    columns.push_back({name + " new value", [o](const CycleRecord& r) { return r.out[o].value; }});
    columns.push_back({name + " sent", [o](const CycleRecord& r) { return r.out[o].sent; }, true});
    columns.push_back({name + " increases blocked",
                       [o](const CycleRecord& r) { return Flag(r.out[o].clampIncrease); }});
    columns.push_back({name + " decreases blocked",
                       [o](const CycleRecord& r) { return Flag(r.out[o].clampDecrease); }});
    columns.push_back(
        {name + " script adjust", [o](const CycleRecord& r) { return r.out[o].scriptAdjust; }});
  }
  columns.push_back({"error code", [](const CycleRecord& r) { return r.errorCode; }});
  columns.push_back({"link on", [](const CycleRecord& r) { return Flag(r.linkOn); }});
  columns.push_back({"to file", [](const CycleRecord& r) { return Flag(r.toFile); }});
  columns.push_back({"cycle error step", [](const CycleRecord& r) { return r.errorStep; }});
  columns.push_back({"cycle error number", [](const CycleRecord& r) { return r.errorNumber; }});
  return columns;
}

// The averages of the cycles of one interval.
struct Interval {
  std::int64_t start = 0;
  long cycles = 0;
  std::vector<double> sums;
  std::vector<long> counts;
};

}  // namespace

long ExportHistoryCsv(HistoryReader& reader, std::int64_t from, std::int64_t to, int everySeconds,
                      std::ostream& out) {
  // The newest configuration with a cycle in the span names the columns.
  const int newest = reader.NewestRevision(from, to);
  const auto revisions = reader.Revisions();
  const auto found = revisions.find(newest);
  const std::vector<Column> columns = Columns(found == revisions.end() ? ConfigRevision{} : found->second);

  std::string line = "time";
  if (everySeconds > 0) AppendCsvField(line, "cycles");
  for (const Column& column : columns) AppendCsvField(line, column.header);
  out << line << "\r\n";

  long rows = 0;
  if (everySeconds <= 0) {
    reader.ForEachCycle(from, to, [&](const CycleRecord& r) {
      line = HistoryTimeText(r.timeMs);
      for (const Column& column : columns) {
        const auto value = column.value(r);
        AppendCsvField(line, value ? NumberText(*value) : (column.noValueIsX ? "X" : ""));
      }
      out << line << "\r\n";
      ++rows;
    });
    return rows;
  }
  const std::int64_t width = static_cast<std::int64_t>(everySeconds) * 1000;
  Interval interval;
  const auto flush = [&] {
    if (interval.cycles == 0) return;
    line = HistoryTimeText(interval.start);
    AppendCsvField(line, std::to_string(interval.cycles));
    for (std::size_t k = 0; k < columns.size(); ++k) {
      AppendCsvField(line, interval.counts[k] > 0
                               ? NumberText(interval.sums[k] / static_cast<double>(interval.counts[k]))
                               : std::string());
    }
    out << line << "\r\n";
    ++rows;
  };
  reader.ForEachCycle(from, to, [&](const CycleRecord& r) {
    const std::int64_t start = from + (r.timeMs - from) / width * width;
    if (interval.cycles == 0 || start != interval.start) {
      flush();
      interval = Interval{start, 0, std::vector<double>(columns.size()),
                          std::vector<long>(columns.size())};
    }
    ++interval.cycles;
    for (std::size_t k = 0; k < columns.size(); ++k) {
      if (const auto value = columns[k].value(r)) {
        interval.sums[k] += *value;
        ++interval.counts[k];
      }
    }
  });
  flush();
  return rows;
}

}  // namespace kavro
