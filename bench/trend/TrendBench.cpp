// One cycle's display work with every variable named and 200 samples held: the status refresh,
// the trend refresh and the painting of the plot into an image the size of the window's plot on
// a 1600 x 1000 plant screen. Target: at most 2 ms a cycle.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "display/StatusRefresh.h"
#include "display/TrendPlot.h"
#include "history/HistoryTime.h"
#include "model/Controller.h"
#include "ui/TrendPlotWidget.h"

namespace {

using namespace kavro;

template <typename Variable>
void Fill(Variable& v, const std::string& name, double phase) {
  v.PVarName = name;
  v.PlotHi = v.PlotLo = kAuto;
  for (int j = 1; j <= HistoryLength; ++j) {
    v.History[static_cast<std::size_t>(j)] =
        static_cast<float>(100 + 20 * std::sin(phase + j / 9.0));
  }
}

Controller& FullTrend() {
  static Controller c;
  ResetModel(c.model, "/tmp");
  ApplyDefaults(c.model);
  c.model.FLCBlock.RunFrequency = 10;
  for (int i = 1; i <= NumIn; ++i) Fill(c.model.PVarIn[i], "IN" + std::to_string(i), i);
  for (int k = 1; k <= NumOut; ++k) Fill(c.model.PVarOut[k], "OUT" + std::to_string(k), 10 + k);
  c.model.PVarIn[2].PlotHi = "150";  // fixed scales take their own path
  c.model.PVarIn[2].PlotLo = "50";
  c.model.HistCount = HistoryLength;
  // Held cycles 10 s apart up to the standing clock's now: the live trend's last hour.
  const std::int64_t now = HistoryMs(c.ports.clock->Now());
  for (int j = 1; j <= HistoryLength; ++j) {
    c.model.HistoryTime[static_cast<std::size_t>(j)] =
        DateTimeOfHistoryMs(now - (HistoryLength - j) * 10'000LL);
  }
  return c;
}

void Paint(QImage& plot, const TrendPicture& picture) {
  QPainter painter(&plot);
  ui::PaintTrend(painter, picture, QRectF(plot.rect()));
  painter.end();
  benchmark::DoNotOptimize(plot.constBits());
}

// The whole of it, as every cycle does.
void StatusAndTrendRefresh(benchmark::State& state) {
  Controller& c = FullTrend();
  QImage plot(1080, 250, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    RefreshStatus(c);
    RefreshTrend(c);
    Paint(plot, Trend(c).Picture2);
  }
  state.counters["traces"] = static_cast<double>(Trend(c).Picture2.traces.size());
}
BENCHMARK(StatusAndTrendRefresh)->Unit(benchmark::kMicrosecond);

// Its parts: the core's data, then the painting alone.
void TrendRefreshOnly(benchmark::State& state) {
  Controller& c = FullTrend();
  for (auto _ : state) RefreshTrend(c);
}
BENCHMARK(TrendRefreshOnly)->Unit(benchmark::kMicrosecond);

void TrendPaintOnly(benchmark::State& state) {
  Controller& c = FullTrend();
  RefreshTrend(c);
  QImage plot(1080, 250, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) Paint(plot, Trend(c).Picture2);
}
BENCHMARK(TrendPaintOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
