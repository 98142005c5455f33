// kavro-replay as a whole process, started as a user starts it, on traces of a million rows
// with the results written to a file:
//   BenchPlantNoScripts   the bench plant (6 inputs, 2 outputs, 20 rules), --no-scripts
//   DemoNoScripts         the demo kiln (4 inputs, 2 outputs), --no-scripts
//   DemoPostScript        the demo kiln with its post-process script
// Reported: cycles per second of the wall clock (the headline: the replay makes and writes its
// result rows on a second thread while the cycles run, so the process uses up to two cores)
// and of the process's CPU time (user and system of both threads), and the wall-clock figure
// over its target (1,000,000 without scripts, 500,000 with the script); a ratio of 1 or more
// meets the target. On a shared machine the wall clock moves with the other work: the CPU
// figure beside it says what the process itself cost.
// KAVRO_BENCH_KEEP=DIR keeps the traces and results there, to compare results between builds;
// KAVRO_BENCH_REPLAY=PROGRAM measures another build's kavro-replay on the same traces.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../ChildCpuTime.h"
#include "BenchPlant.h"
#include "common/NumberText.h"
#include "config/ConfigFile.h"

namespace kavro::bench {
namespace {

namespace fs = std::filesystem;
constexpr long kRows = 1000000;

fs::path WorkFolder() {
  if (const char* keep = std::getenv("KAVRO_BENCH_KEEP")) return keep;
  return fs::temp_directory_path() / ("kavro-bench-replay-" + std::to_string(::getpid()));
}

// A trace of kRows rows: each column a slow wave with a faster ripple, as a plant's values go.
void WriteTrace(const fs::path& path, const std::string& header,
                const std::vector<std::pair<double, double>>& centreAndSwing) {
  std::ofstream out(path, std::ios::binary);
  out << header << '\n';
  std::string row;
  for (long r = 0; r < kRows; ++r) {
    row.clear();
    for (size_t c = 0; c < centreAndSwing.size(); ++c) {
      const auto [centre, swing] = centreAndSwing[c];
      const double t = static_cast<double>(r);
      const double value = centre + swing * std::sin(t / (300.0 + 70.0 * c) + c) +
                           0.05 * swing * std::sin(t * 0.7 + 3.0 * c);
      if (c > 0) row += ',';
      row += FormatNumber(value, "0.000");
    }
    row += '\n';
    out << row;
  }
}

struct Folders {
  fs::path plant;
  fs::path demo;
};

// The bench plant's FLC.dat and the demo's files, with their traces, made once.
const Folders& MadeFolders() {
  static const Folders folders = [] {
    Folders made{WorkFolder() / "plant", WorkFolder() / "demo"};
    fs::create_directories(made.plant);
    fs::create_directories(made.demo);
    Controller controller;
    ConfigurePlant(controller);
    controller.model.WorkDir = made.plant.string();
    if (!WriteConfig(controller)) std::abort();
    std::string header;
    std::vector<std::pair<double, double>> waves;
    for (int i = 1; i <= NumIn; ++i) {
      header += (i > 1 ? ",IN" : "IN") + std::to_string(i);
      waves.emplace_back(50.0, 45.0);
    }
    WriteTrace(made.plant / "trace.csv", header, waves);
    const fs::path demo = fs::path(KAVRO_SOURCE_DIR) / "demo";
    for (const char* file : {"FLC.dat", "FLC_Post.scp"}) {
      fs::copy_file(demo / file, made.demo / file, fs::copy_options::overwrite_existing);
    }
    WriteTrace(made.demo / "trace.csv", "BZTEMP,O2,NOX,TORQUE,FUEL,FAN",
               {{1420, 80}, {2.2, 1.2}, {600, 150}, {58, 15}, {8, 3}, {70, 20}});
    return made;
  }();
  return folders;
}

// One line per run, printed after the table: the wall-clock figure first, the CPU one beside.
std::vector<std::string>& Headlines() {
  static std::vector<std::string> lines;
  return lines;
}

void RunReplay(benchmark::State& state, const char* name, const fs::path& folder, bool scripts,
               double target) {
  const std::string results = (folder / (scripts ? "out-scripts.csv" : "out.csv")).string();
  const char* other = std::getenv("KAVRO_BENCH_REPLAY");
  const std::string command = std::string(other ? other : KAVRO_REPLAY_PROGRAM) + " --workdir " +
                              folder.string() + " --trace " + (folder / "trace.csv").string() +
                              " --out " + results + (scripts ? "" : " --no-scripts") + " 2>" +
                              (folder / "errors.txt").string();
  double seconds = 0;
  double cpuSeconds = 0;
  for (auto _ : state) {
    const double cpuBefore = ChildrenCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpuSeconds = ChildrenCpuSeconds() - cpuBefore;
    state.SetIterationTime(seconds);
    if (status != 0) state.SkipWithError(("kavro-replay failed: " + command).c_str());
  }
  const double perWallSecond = static_cast<double>(kRows) / seconds;
  state.counters["cycles_per_wall_s"] = perWallSecond;
  state.counters["cycles_per_cpu_s"] = static_cast<double>(kRows) / cpuSeconds;
  state.counters["target_per_s"] = target;
  state.counters["ratio_to_target"] = perWallSecond / target;
  char line[200];
  std::snprintf(
      line, sizeof line, "%-20s %9.0f cycles/s wall (target %.0f: %s), %9.0f cycles per CPU second",
      name, perWallSecond, target, perWallSecond >= target ? "met" : "not met", kRows / cpuSeconds);
  Headlines().push_back(line);
}

void BenchPlantNoScripts(benchmark::State& state) {
  RunReplay(state, "BenchPlantNoScripts", MadeFolders().plant, false, 1e6);
}
BENCHMARK(BenchPlantNoScripts)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void DemoNoScripts(benchmark::State& state) {
  RunReplay(state, "DemoNoScripts", MadeFolders().demo, false, 1e6);
}
BENCHMARK(DemoNoScripts)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void DemoPostScript(benchmark::State& state) {
  RunReplay(state, "DemoPostScript", MadeFolders().demo, true, 5e5);
}
BENCHMARK(DemoPostScript)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kavro::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const std::string& line : kavro::bench::Headlines()) std::printf("%s\n", line.c_str());
  if (!std::getenv("KAVRO_BENCH_KEEP")) {
    std::error_code ignored;
    std::filesystem::remove_all(kavro::bench::WorkFolder(), ignored);
  }
  return 0;
}
