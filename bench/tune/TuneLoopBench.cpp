// What one score of kavro-tune costs:
//   DemoDayWithScripts   24 h of plant time on the demo kiln (8640 cycles, the post-process
//                        script on), the controller started from FLC.dat as the tool starts it;
//                        target under 100 ms of CPU time
//   PlantDayAlone        the plant model's share: 24 h of its 0.5 s steps with no controller
#include <benchmark/benchmark.h>

#include "plant/PlantSimulation.h"
#include "tune/ClosedLoop.h"
#include "tune/Score.h"
#include "tune/TuneInput.h"

namespace kavro::bench {
namespace {

void DemoDayWithScripts(benchmark::State& state) {
  LoopSetup setup;
  setup.workDir = KAVRO_DEMO_DIR;
  setup.plant = LoadPlantFile(setup.workDir + "/plant.txt");
  setup.hours = 24;
  for (auto _ : state) {
    const LoopScore score = ScoreLoop(RunClosedLoop(setup));
    benchmark::DoNotOptimize(score.objective);
  }
}
BENCHMARK(DemoDayWithScripts)->Unit(benchmark::kMillisecond);

void PlantDayAlone(benchmark::State& state) {
  const PlantDescription plant = LoadPlantFile(std::string(KAVRO_DEMO_DIR) + "/plant.txt");
  for (auto _ : state) {
    PlantSimulation simulation(plant);
    for (int n = 0; n < 24 * 3600 * 2; ++n) simulation.Step();
    benchmark::DoNotOptimize(simulation.Time());
  }
}
BENCHMARK(PlantDayAlone)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kavro::bench

BENCHMARK_MAIN();
