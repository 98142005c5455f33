// What a post-process script costs a control cycle:
//   CycleWithoutScripts     Timer1Tick on the bench plant, no script (the engine's memo kept
//                           from cycle to cycle, as the session keeps it)
//   CycleWithPostScript     the same cycle with a 30-line post-process script that calls ten
//                           data-access procedures (reads, a filter in the store, a clamp, writes)
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "BenchPlant.h"
#include "common/NumberText.h"
#include "engine/ControlCycle.h"
#include "scripting/host/ScriptHost.h"

namespace kavro::bench {
namespace {

constexpr const char* kPostScript =
    "Status PostProcess = ON\r\n"
    "12/6/2026 7:00:00 PM\r\n"
    "' Fuel trim: a filtered temperature in the store, the move clamped by where it stands.\r\n"
    "GET_INPVIN 1, t, e\r\n"
    "GET_INPVHIGH 1, hi, e\r\n"
    "GET_INPVLOW 1, lo, e\r\n"
    "GET_OUTPVIN 1, fuel, e\r\n"
    "GET_OUTVALUEOUT 1, v, e\r\n"
    "If e <> 0 Then v = fuel\r\n"
    "GET_SCRIPTKOUNTER 1, n, e\r\n"
    "GET_SCRIPTBUFFER 1, avg, e\r\n"
    "centre = (hi + lo) / 2\r\n"
    "band = (hi - lo) / 4\r\n"
    "If band < 0 Then band = -band\r\n"
    "If n = 0 Then\r\n"
    "  avg = t\r\n"
    "Else\r\n"
    "  avg = avg * 0.9 + t * 0.1\r\n"
    "End If\r\n"
    "If avg > centre + band Then\r\n"
    "  limit = fuel\r\n"
    "ElseIf avg < centre - band Then\r\n"
    "  limit = fuel + 1\r\n"
    "Else\r\n"
    "  limit = v\r\n"
    "End If\r\n"
    "If v > limit Then v = limit\r\n"
    "SET_OUTVALUEOUT 1, v, e\r\n"
    "If n < 32000 Then n = n + 1\r\n"
    "SET_SCRIPTKOUNTER 1, n, e\r\n"
    "SET_SCRIPTBUFFER 1, avg, e\r\n"
    "' 30 lines, ten procedure calls\r\n";

// Types the next recorded sample into the grid, as the cycles of the engine benchmark do.
class TypedSamples {
 public:
  TypedSamples() {
    const PlantValues values;
    count_ = values.Count();
    for (size_t s = 0; s < count_; ++s) {
      for (int i = 1; i <= NumIn; ++i) {
        typed_.push_back(FormatNumber(values.Input(s, i), "####0.000"));
      }
    }
  }
  void Next(Controller& controller) {
    const size_t row = sample_++ % count_;
    for (int i = 1; i <= NumIn; ++i) {
      controller.grid.At(grid::kRowValue, grid::InputColumn(i)).text = typed_[row * NumIn + i - 1];
    }
  }

 private:
  std::vector<std::string> typed_;
  size_t count_ = 0;
  size_t sample_ = 0;
};

void CycleWithoutScripts(benchmark::State& state) {
  Controller controller;
  ConfigurePlant(controller);
  TypedSamples samples;
  const CycleSteps steps;
  EngineMemo memo;  // kept from cycle to cycle, as the session keeps it
  for (auto _ : state) {
    samples.Next(controller);
    Timer1Tick(controller, steps, memo);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CycleWithoutScripts);

// Keeps the last message a load or a script showed, for the benchmark's error text.
class LastMessage final : public Operator {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string&, MsgIcon, MsgButtons) override {
    last = text;
    return MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::string last;
};

void CycleWithPostScript(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / ("kavro-bench-scripts-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "FLC_Post.scp", std::ios::binary) << kPostScript;

  Controller controller;
  ConfigurePlant(controller);
  controller.model.WorkDir = dir.string();
  // As FLC.dat leaves them: the load's run of the top level reads them.
  for (int o = 1; o <= NumOut; ++o) controller.model.PVarOut[o].ValueOut = kNotUsed;
  LastMessage messages;
  controller.ports.op = &messages;
  ScriptHost host(controller);
  host.Load(ScriptKind::Post);
  fs::remove_all(dir);
  if (host.Script(ScriptKind::Post).loadError || !host.Script(ScriptKind::Post).on) {
    state.SkipWithError(("the bench script did not load: " + messages.last).c_str());
    return;
  }
  CycleSteps steps;
  steps.runPostScript = [&host](Controller&) { return host.Run(ScriptKind::Post); };
  bool failed = false;
  steps.runTimeErrorReported = [&failed](Controller&, const std::string&) { failed = true; };
  TypedSamples samples;
  EngineMemo memo;
  for (auto _ : state) {
    samples.Next(controller);
    Timer1Tick(controller, steps, memo);
  }
  if (failed) state.SkipWithError("the bench script failed in a cycle");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CycleWithPostScript);

}  // namespace
}  // namespace kavro::bench

BENCHMARK_MAIN();
