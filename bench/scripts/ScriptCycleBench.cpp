// What a post-process script costs a control cycle:
//   CycleWithoutScripts          Timer1Tick on the bench plant, no script (the engine's memo
//                                kept from cycle to cycle, as the session keeps it)
//   CycleWithPostScript          the same cycle with a 30-line post-process script that calls
//                                ten data-access procedures (reads, a filter in the store, a
//                                clamp, writes)
//   PostScriptAtItsMemoryBudget  10,000 cycles of a script that holds a large array at the
//                                engine's memory budget and tries to add 30 KB a cycle: the
//                                resident memory at the start and the end (flat)
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

// The bench plant with a post-process script loaded as the controller loads it, and the cycle
// steps that run it; loadError says why when the script did not load.
class PostScriptPlant {
 public:
  explicit PostScriptPlant(const char* scriptFile) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("kavro-bench-scripts-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "FLC_Post.scp", std::ios::binary) << scriptFile;
    ConfigurePlant(controller);
    controller.model.WorkDir = dir.string();
    // As FLC.dat leaves them: the load's run of the top level reads them.
    for (int o = 1; o <= NumOut; ++o) controller.model.PVarOut[o].ValueOut = kNotUsed;
    controller.ports.op = &messages_;
    host_.Load(ScriptKind::Post);
    fs::remove_all(dir);
    if (host_.Script(ScriptKind::Post).loadError || !host_.Script(ScriptKind::Post).on) {
      loadError = "the bench script did not load: " + messages_.last;
    }
    steps.runPostScript = [this](Controller&) { return host_.Run(ScriptKind::Post); };
    steps.runTimeErrorReported = [this](Controller&, const std::string&) { failed = true; };
  }
  void Cycle() {
    samples_.Next(controller);
    Timer1Tick(controller, steps, memo_);
  }

  Controller controller;
  CycleSteps steps;
  std::string loadError;
  bool failed = false;  // a cycle reported a run-time error

 private:
  LastMessage messages_;
  ScriptHost host_{controller};
  TypedSamples samples_;
  EngineMemo memo_;
};

void CycleWithPostScript(benchmark::State& state) {
  PostScriptPlant plant(kPostScript);
  if (!plant.loadError.empty()) return state.SkipWithError(plant.loadError.c_str());
  for (auto _ : state) plant.Cycle();
  if (plant.failed) state.SkipWithError("the bench script failed in a cycle");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CycleWithPostScript);

// A large global array filled up to the engine's memory budget, a slice of it refilled each
// cycle, and 30 KB a cycle more kept in a second array: past the budget the additions are
// refused (the script goes on under On Error Resume Next), so the process stays its size.
constexpr const char* kScriptAtItsBudget =
    "Status PostProcess = ON\r\n"
    "12/6/2026 7:00:00 PM\r\n"
    "On Error Resume Next\r\n"
    "Dim big(200000), kept(20000)\r\n"
    "If Not filled Then\r\n"
    "  For i = 0 To 200000 : big(i) = String(1000, \"x\") & i : Next\r\n"
    "  filled = True\r\n"
    "End If\r\n"
    "For i = 1 To 500\r\n"
    "  k = (k + 1) Mod 200001\r\n"
    "  big(k) = String(1000, \"y\") & k\r\n"
    "Next\r\n"
    "kept(cycle Mod 20001) = String(30000, \"z\")\r\n"
    "cycle = cycle + 1\r\n";

// Resident memory of this process, in megabytes.
double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1048576.0;
}

void PostScriptAtItsMemoryBudget(benchmark::State& state) {
  PostScriptPlant plant(kScriptAtItsBudget);
  if (!plant.loadError.empty()) return state.SkipWithError(plant.loadError.c_str());
  const double start = ResidentMegabytes();
  for (auto _ : state) plant.Cycle();
  const double end = ResidentMegabytes();
  if (plant.failed) state.SkipWithError("the bench script failed in a cycle");
  state.counters["rss_start_MB"] = start;
  state.counters["rss_end_MB"] = end;
  state.counters["growth_KB_per_cycle"] =
      (end - start) * 1024.0 / static_cast<double>(state.iterations());
}
BENCHMARK(PostScriptAtItsMemoryBudget)->Iterations(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kavro::bench

BENCHMARK_MAIN();
