// How fast the control engine runs. Reported per cycle:
//   KavroEngineWork   history and slopes, fuzzification, rules, defuzzification, move limits,
//                     error code and index: the engine's whole work of one cycle
//   FuzzyliteProcess  fuzzylite's process() alone on the closest equivalent engine
//   KavroTimer1Tick   the whole cycle, grid exchange and captions included
//   KavroReplayLoop   kavro-replay's loop: trace row into the grid, the cycle, the result row
// Targets: KavroEngineWork no slower than FuzzyliteProcess; the replay loop at least 500,000
// cycles per second on one core.
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>
#include <string>

#include "BenchPlant.h"
#include "FuzzyliteEquivalent.h"
#include "common/NumberText.h"
#include "engine/ControlCycle.h"
#include "engine/Defuzzify.h"
#include "engine/ErrorCode.h"
#include "engine/Fuzzify.h"
#include "engine/HistorySlopes.h"
#include "engine/MoveLimits.h"
#include "session/Replay.h"
#include "engine/RuleEvaluation.h"
#include "engine/VariabilityIndex.h"

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
    benchmark::DoNotOptimize(ApplyMoveLimits(model));
    ComposeErrorCode(model);
    ComputeIndexes(model);
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
      text += (i > 1 ? "," : "") + FormatNumber(values.Input(s, i), "0.000");
    }
    text += '\n';
  }
  const Trace trace = ReadTrace(text, controller.model);  // reading the trace is not measured
  DiscardBuffer discard;
  std::ostream out(&discard);
  for (auto _ : state) {
    RunReplay(controller, trace, DateTime{}, out, out);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(trace.rows));
}
BENCHMARK(KavroReplayLoop)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kavro::bench

BENCHMARK_MAIN();
