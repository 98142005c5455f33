// Each kind of loop as a whole process: kavro-script running a script file beside lua5.4
// running the same program written the Lua way (bench/vbs/loops/<kind>.vbs and .lua):
//   Fibonacci   recursive calls with arguments and a function result
//   Modulo      Integer and Long arithmetic with Mod and \ over a procedure's own variables,
//               overflowing into Double as the sums grow
//   ArraySum    an array of Doubles filled once and summed over and over
//   Strings     lines built from numbers and texts, a text grown a character at a time
//   Dictionary  Exists and lookups in a Dictionary keyed by texts
//   Grid        a two-dimensional array read by two indexes in nested For loops
//   BitMix      a Do While loop with Mod, \ and And on whole numbers and an And of comparisons
//   Filter      Double arithmetic accumulated over a For loop of three assignments
// Each program checks its own result and fails otherwise. Both programs run in every
// iteration, one after the other, and the figures are the lowest CPU time (user and system) of
// each over the iterations, so that other work on the shared machine counts as little as it
// can. Target: the script within 3 times Lua's time on every kind.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

#include "../ChildCpuTime.h"

namespace {

using kavro::bench::ChildrenCpuSeconds;

// CPU seconds of one run of the command, or a negative number when it failed.
double CpuSecondsOf(const std::string& command) {
  const double before = ChildrenCpuSeconds();
  if (std::system(command.c_str()) != 0) return -1;
  return ChildrenCpuSeconds() - before;
}

void RunKind(benchmark::State& state, const std::string& kind) {
  const std::string loops = std::string(KAVRO_BENCH_LOOPS) + "/" + kind;
  const std::string script =
      std::string(KAVRO_SCRIPT_PROGRAM) + " " + loops + ".vbs --time-limit 0";
  const std::string lua = "lua5.4 " + loops + ".lua";
  double bestScript = std::numeric_limits<double>::max();
  double bestLua = std::numeric_limits<double>::max();
  for (auto _ : state) {
    const double scriptSeconds = CpuSecondsOf(script);
    const double luaSeconds = CpuSecondsOf(lua);
    if (scriptSeconds < 0 || luaSeconds < 0) {
      state.SkipWithError((kind + ": a program failed, gave a wrong result or is missing").c_str());
      return;
    }
    bestScript = std::min(bestScript, scriptSeconds);
    bestLua = std::min(bestLua, luaSeconds);
    state.SetIterationTime(scriptSeconds);
  }
  state.counters["script_ms"] = bestScript * 1e3;
  state.counters["lua_ms"] = bestLua * 1e3;
  state.counters["ratio_to_lua"] = bestScript / bestLua;
  state.counters["target_ratio"] = 3;
}

void Fibonacci(benchmark::State& state) {
  RunKind(state, "fibonacci");
}
void Modulo(benchmark::State& state) {
  RunKind(state, "modulo");
}
void ArraySum(benchmark::State& state) {
  RunKind(state, "arraysum");
}
void Strings(benchmark::State& state) {
  RunKind(state, "strings");
}
void Dictionary(benchmark::State& state) {
  RunKind(state, "dictionary");
}
void Grid(benchmark::State& state) {
  RunKind(state, "grid");
}
void BitMix(benchmark::State& state) {
  RunKind(state, "bitmix");
}
void Filter(benchmark::State& state) {
  RunKind(state, "filter");
}

BENCHMARK(Fibonacci)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Modulo)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ArraySum)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Strings)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Dictionary)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Grid)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BitMix)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Filter)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
