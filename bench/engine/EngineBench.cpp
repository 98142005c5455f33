// How fast the control engine runs. Reported per cycle:
//   KavroEngineWork   history and slopes, fuzzification, rules, defuzzification, move limits,
//                     error code and index: the engine's whole work of one cycle
//   FuzzyliteProcess  fuzzylite's process() alone on the closest equivalent engine
//   KavroTimer1Tick   the whole cycle, grid exchange and captions included
//   KavroReplayLoop   kavro-replay's loop: trace row into the grid, the cycle, the result row
// After the table each figure is printed beside its target, the engine's as a ratio to
// fuzzylite's figure of the same run (CPU time, so that other work on the machine weighs on
// both alike). Targets: KavroEngineWork at most 0.25 x FuzzyliteProcess; KavroTimer1Tick at
// most 1 us; the replay loop at least 1,000,000 cycles per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "BenchPlant.h"
#include "FuzzyliteEquivalent.h"
#include "common/NumberText.h"
#include "common/RestrictFalseReport.h"
#include "engine/ControlCycle.h"
#include "engine/Defuzzify.h"
#include "engine/ErrorCode.h"
#include "engine/Fuzzify.h"
#include "engine/HistorySlopes.h"
#include "engine/MoveLimits.h"
#include "engine/RuleEvaluation.h"
#include "engine/VariabilityIndex.h"
#include "session/Replay.h"

namespace kavro::bench {
namespace {

void KavroEngineWork(benchmark::State& state) {
  Controller controller;
  ConfigurePlant(controller);
  ControllerModel& model = controller.model;
  const PlantValues values;
  EngineMemo memo;
  size_t sample = 0;
  for (auto _ : state) {
    for (int i = 1; i <= NumIn; ++i) model.PVarIn[i].PVIN = values.Input(sample, i);
    ++sample;
    UpdateHistoryAndSlopes(model);
    Fuzzify(model);
    EvaluateRules(model, controller.grid, memo);
    Defuzzify(model, controller.grid, memo);
    benchmark::DoNotOptimize(ApplyMoveLimits(model, memo));
    ComposeErrorCode(model);
    ComputeIndexes(model, memo.index);
    benchmark::DoNotOptimize(model.PVarOut[1].ValueOut.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(KavroEngineWork);

void FuzzyliteProcess(benchmark::State& state) {
  FuzzyliteEquivalent engine;
  const PlantValues values;
  size_t sample = 0;
  for (auto _ : state) {
    for (int i = 1; i <= NumIn; ++i) engine.SetInput(i, values.Input(sample, i));
    ++sample;
    engine.Process();
    benchmark::DoNotOptimize(engine.Output(1));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FuzzyliteProcess);

void KavroTimer1Tick(benchmark::State& state) {
  Controller controller;
  ConfigurePlant(controller);
  const PlantValues values;
  std::vector<std::string> typed;  // the values as an operator typing them would leave them
  for (size_t s = 0; s < values.Count(); ++s) {
    for (int i = 1; i <= NumIn; ++i) typed.push_back(FormatNumber(values.Input(s, i), "####0.000"));
  }
  const CycleSteps steps;
  EngineMemo memo;
  size_t sample = 0;
  for (auto _ : state) {
    const size_t row = sample++ % values.Count();
    for (int i = 1; i <= NumIn; ++i) {
      controller.grid.At(grid::kRowValue, grid::InputColumn(i)).text = typed[row * NumIn + i - 1];
    }
    Timer1Tick(controller, steps, memo);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(KavroTimer1Tick);

// Swallows what the replay writes, so the loop is measured without a disk.
class DiscardBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

void KavroReplayLoop(benchmark::State& state) {
  Controller controller;
  ConfigurePlant(controller);
  const PlantValues values;
  std::string text;
  for (int i = 1; i <= NumIn; ++i) text += (i > 1 ? ",IN" : "IN") + std::to_string(i);
  text += '\n';
  for (size_t s = 0; s < values.Count(); ++s) {
    for (int i = 1; i <= NumIn; ++i) {
      KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
      text += (i > 1 ? "," : "") + FormatNumber(values.Input(s, i), "0.000");
      KAVRO_STRING_RESTRICT_FALSE_REPORT_END
    }
    text += '\n';
  }
  const Trace trace = ReadTrace(text, controller.model);  // reading the trace is not measured
  DiscardBuffer discard;
  std::ostream out(&discard);
  DiscardBuffer discardErrors;
  std::ostream errors(&discardErrors);  // the results are written on a thread of their own
  for (auto _ : state) {
    RunReplay(controller, trace, DateTime{}, out, errors);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(trace.rows));
}
BENCHMARK(KavroReplayLoop)->Unit(benchmark::kMillisecond);

// The console table as usual, and each benchmark's CPU time per cycle kept for the ratios.
class KeepingReporter : public benchmark::ConsoleReporter {
 public:
  KeepingReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      const double cycles =
          run.counters.count("items_per_second")
              ? run.counters.at("items_per_second").value * run.cpu_accumulated_time
              : static_cast<double>(run.iterations);
      nanosecondsPerCycle[run.run_name.function_name] = run.cpu_accumulated_time * 1e9 / cycles;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> nanosecondsPerCycle;
};

void PrintFigures(const std::map<std::string, double>& ns) {
  const auto has = [&](const char* name) { return ns.count(name) > 0; };
  std::printf("\nFigures against their peers (CPU time per cycle, this run):\n");
  if (has("KavroEngineWork") && has("FuzzyliteProcess")) {
    const double ratio = ns.at("KavroEngineWork") / ns.at("FuzzyliteProcess");
    std::printf("  engine work %.0f ns / fuzzylite process() %.0f ns = %.2f (target <= 0.25: %s)\n",
                ns.at("KavroEngineWork"), ns.at("FuzzyliteProcess"), ratio,
                ratio <= 0.25 ? "met" : "not met");
  }
  if (has("KavroTimer1Tick")) {
    const double tick = ns.at("KavroTimer1Tick");
    std::printf("  Timer1Tick %.0f ns (target <= 1000 ns: %s)\n", tick,
                tick <= 1000 ? "met" : "not met");
  }
  if (has("KavroReplayLoop")) {
    const double perSecond = 1e9 / ns.at("KavroReplayLoop");
    std::printf("  replay loop in process %.0f cycles/s (the whole process: bench_replay)\n",
                perSecond);
  }
}

}  // namespace
}  // namespace kavro::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  kavro::bench::KeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  kavro::bench::PrintFigures(reporter.nanosecondsPerCycle);
  return 0;
}
