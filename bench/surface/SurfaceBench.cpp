// The control surface an engineer opens while tuning: 60 x 60 points of one output over two
// inputs of the demo kiln, each point a full fuzzification, rule evaluation and
// defuzzification on a copy of the model. It must stay well under 50 ms to redraw as the
// engineer types the held values.
#include <benchmark/benchmark.h>

#include <iostream>

#include "config/ConfigFile.h"
#include "engine/ControlSurface.h"

namespace {

using namespace kavro;

const ControllerModel& DemoModel() {
  static const ControllerModel model = [] {
    Controller controller;
    ResetModel(controller.model, KAVRO_DEMO_DIR);
    ApplyDefaults(controller.model);
    std::string bytes;
    if (!SystemFileSystem().ReadAll(std::string(KAVRO_DEMO_DIR) + "/FLC.dat", bytes)) {
      std::cerr << "demo FLC.dat not found\n";
    }
    ReadConfigBytes(controller, bytes);
    return controller.model;
  }();
  return model;
}

void BM_Surface60x60(benchmark::State& state) {
  SurfaceRequest request;
  request.output = 1;
  request.xInput = 1;
  request.yInput = 2;
  request.points = 60;
  for (auto _ : state) {
    EngineOnCopy engine(DemoModel());
    const Surface surface = ComputeSurface(engine, request);
    benchmark::DoNotOptimize(surface.values.data());
  }
}
BENCHMARK(BM_Surface60x60)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
