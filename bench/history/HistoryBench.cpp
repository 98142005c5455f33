// The plant history's two speed targets:
// - RecordCycle: what recording costs the control cycle (capturing the row and its
//   configuration, handing it to the writer thread), cycles paced as on a plant so that each
//   row's synced commit is done before the next; median and 99th percentile, target p99 <= 1 ms.
//   WriterCommit shows the commit itself, which the writer thread does beside the cycle.
// - MonthOfExtremes: the trend's one query over 30 days of 10 s cycles (259,200 rows) as the
//   minimum and maximum of every pen in 1,600 pixel columns, and MonthTrendRefresh the main
//   window trend's whole refresh on it; target < 100 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>
#include <vector>

#include "display/TrendPlot.h"
#include "display/TrendView.h"
#include "history/HistoryReader.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryTime.h"
#include "model/Controller.h"
#include "session/HistoryCapture.h"

namespace {

using namespace kavro;
namespace fs = std::filesystem;

class FixedClock : public Clock {
 public:
  double SecondsOfDay() override { return 43200.5; }
  DateTime Now() override { return {2026, 12, 5, 12, 0, 0}; }
};

std::string ScratchFolder(const char* name) {
  const fs::path dir = fs::temp_directory_path() / ("kavro-bench-history-" + std::string(name));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string();
}

Controller& Kiln() {
  static Controller c;
  ResetModel(c.model, "/tmp");
  ApplyDefaults(c.model);
  c.model.FLCBlock.RunFrequency = 10;
  for (int i = 1; i <= NumIn; ++i) c.model.PVarIn[i].PVarName = "IN" + std::to_string(i);
  for (int o = 1; o <= NumOut; ++o) {
    c.model.PVarOut[o].PVarName = "OUT" + std::to_string(o);
    c.model.PVarOut[o].ValueOut = "1.250";
  }
  return c;
}

double Percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(share * values.size()))];
}

void RecordCycle(benchmark::State& state) {
  const std::string dir = ScratchFolder("record");
  Controller& c = Kiln();
  FixedClock clock;
  c.ports.clock = &clock;
  HistoryRecorder recorder(dir, [](const std::string&, bool) {});
  std::vector<double> micros;
  DateTime start = clock.Now();
  for (auto _ : state) {
    state.PauseTiming();
    recorder.Flush();  // a plant's next cycle comes seconds later: the commit is done by then
    ++start.second %= 60;
    state.ResumeTiming();
    const auto begin = std::chrono::steady_clock::now();
    recorder.Record(CaptureCycle(c, start, 0, {}, 0), CaptureConfig(c.model), start);
    micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count());
  }
  state.counters["median_us"] = Percentile(micros, 0.5);
  state.counters["p99_us"] = Percentile(micros, 0.99);
  recorder.Flush();
  fs::remove_all(dir);
}
BENCHMARK(RecordCycle)->Iterations(500)->Unit(benchmark::kMicrosecond);

void WriterCommit(benchmark::State& state) {
  const std::string dir = ScratchFolder("commit");
  Controller& c = Kiln();
  HistoryWriter writer(dir, [](const std::string&, bool) {});
  std::vector<double> micros;
  CycleRecord row = CaptureCycle(c, {2026, 12, 5, 12, 0, 0}, 0, {}, 0);
  const ConfigRevision config = CaptureConfig(c.model);
  for (auto _ : state) {
    row.timeMs += 10'000;
    const auto begin = std::chrono::steady_clock::now();
    writer.Record(row, config, {});
    micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count());
  }
  state.counters["median_us"] = Percentile(micros, 0.5);
  state.counters["p99_us"] = Percentile(micros, 0.99);
  fs::remove_all(dir);
}
BENCHMARK(WriterCommit)->Iterations(200)->Unit(benchmark::kMicrosecond);

constexpr std::int64_t kMonthCycles = 30LL * 24 * 360;  // 10 s apart
const std::int64_t kMonthStart = HistoryMs(DateTime{2026, 11, 5, 0, 0, 0});

// A month of cycles written in one transaction, as fast as it goes.
std::string MonthOfHistory() {
  static const std::string dir = [] {
    const std::string folder = ScratchFolder("month");
    HistoryWriter writer(folder, [](const std::string&, bool) {});
    writer.RecordMany(
        kMonthCycles,
        [](long k) {
          CycleRecord row;
          row.timeMs = kMonthStart + k * 10'000;
          for (int i = 1; i <= NumIn; ++i) row.in[i].pv = 100 + 20 * std::sin(k / 500.0 + i);
          for (int o = 1; o <= NumOut; ++o) row.out[o].pv = 50 + 10 * std::cos(k / 300.0 + o);
          return row;
        },
        CaptureConfig(Kiln().model));
    return folder;
  }();
  return dir;
}

void MonthOfExtremes(benchmark::State& state) {
  const std::string dir = MonthOfHistory();
  HistoryReader reader(dir);
  for (auto _ : state) {
    auto columns = reader.Extremes(kMonthStart, kMonthStart + kMonthCycles * 10'000, 1600);
    benchmark::DoNotOptimize(columns.data());
  }
  state.counters["rows"] = static_cast<double>(kMonthCycles);
}
BENCHMARK(MonthOfExtremes)->Unit(benchmark::kMillisecond)->Iterations(10);

// The main window trend's whole refresh on its 30-day preset, 1,600 columns wide: the query,
// the held cycles merged in, the scales and the points of every pen.
class MonthEndClock : public Clock {
 public:
  double SecondsOfDay() override { return 0; }
  DateTime Now() override { return DateTimeOfHistoryMs(kMonthStart + kMonthCycles * 10'000); }
};

void MonthTrendRefresh(benchmark::State& state) {
  Controller& c = Kiln();
  c.model.WorkDir = MonthOfHistory();
  MonthEndClock clock;
  c.ports.clock = &clock;
  SetTrendColumns(c, 1600);
  ZoomTrendPreset(c, 5);
  for (auto _ : state) {
    RefreshTrend(c);
    benchmark::DoNotOptimize(Trend(c).Picture2.traces.data());
  }
  state.counters["pens"] = static_cast<double>(Trend(c).Picture2.traces.size());
}
BENCHMARK(MonthTrendRefresh)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
