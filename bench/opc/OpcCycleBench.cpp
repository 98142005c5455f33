// The OPC link's per-cycle exchange through the bridge: one batched read of the 33 read items
// and one batched write of the 4 write items, against kavro-plantsim's OPC UA server on
// loopback. Reported per cycle: median_ms and p99_ms. Target: median at most 2 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <regex>
#include <vector>

#include "common/ports/FileSystem.h"
#include "config/ConfigFile.h"
#include "link/opc/BridgeOpcClient.h"
#include "link/opc/OpcLink.h"
#include "link/opc/PosixChildPipe.h"
#include "support/FreePort.h"

namespace kavro::bench {
namespace {

// The demo-opc folder with every tag slot filled, so that all 33 read and 4 write items exist.
std::string PrepareFolder(int port) {
  const std::string dir = std::filesystem::temp_directory_path().string() + "/kavro-bench-opc-" +
                          std::to_string(::getpid());
  std::filesystem::create_directories(dir);
  FileSystem& files = SystemFileSystem();
  std::string flc, plant;
  files.ReadAll(std::string(KAVRO_SOURCE_DIR) + "/demo-opc/FLC.dat", flc);
  files.ReadAll(std::string(KAVRO_SOURCE_DIR) + "/demo-opc/plant.txt", plant);
  flc = std::regex_replace(flc, std::regex("48400"), std::to_string(port));
  const std::regex blankTag("^(DCS[A-Za-z]+): \r$", std::regex::multiline);
  std::string filled;
  int n = 0;
  std::sregex_iterator at(flc.begin(), flc.end(), blankTag), end;
  std::size_t last = 0;
  for (; at != end; ++at) {
    filled += flc.substr(last, at->position() - last) + (*at)[1].str() + ": BENCH." +
              std::to_string(++n) + "\r";
    last = at->position() + at->length();
  }
  filled += flc.substr(last);
  files.WriteAtomic(dir + "/FLC.dat", filled, nullptr);
  files.WriteAtomic(dir + "/plant.txt", plant, nullptr);
  return dir;
}

void OpcLinkCycle(benchmark::State& state) {
  const int port = test::FreeLoopbackPort();
  const std::string dir = PrepareFolder(port);
  PosixChildPipe server;
  server.Start(std::string(KAVRO_BINARY_DIR) + "/tools/kavro-plantsim/kavro-plantsim",
               {"--dir", dir, "--opcua", std::to_string(port), "KILN1"});
  bool up = false;
  while (const auto line = server.ReadLine(90000)) {
    if ((up = line->find("OPC UA server at") != std::string::npos)) break;
  }
  Controller controller;  // its messages go to nobody
  ResetModel(controller.model, dir);
  ApplyDefaults(controller.model);
  ReadConfig(controller);
  PosixChildPipe pipe;
  BridgeOpcClient client(pipe, BridgeSettingsFor(dir, controller.model.FLCBlock.Link2Appl));
  OpcLink link(client);
  if (up) SwitchOpcLinkOn(controller, link);
  ControllerModel& model = controller.model;
  if (!up || link.OPCReadItemsOK != 33 || link.OPCWriteItemsOK != 4) {
    state.SkipWithError("the OPC UA server or its 37 items are not there");
  } else {
    model.ToFileMode = false;
    for (int k = 1; k <= NumOut; ++k) {
      model.PVarOut[k].ValueOut = "9.000";
      model.PVarOut[k].SendOutput = true;
    }
    std::vector<double> ms;
    for (auto _ : state) {
      const auto start = std::chrono::steady_clock::now();
      ReadOpcLinkInput(controller, link);
      WriteOpcLinkOutput(controller, link);
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      if (model.LinkReadError || model.LinkWriteError || model.DCSOnOffValue != 1) {
        state.SkipWithError("a cycle's read or write failed");
        break;
      }
    }
    if (!ms.empty()) {
      std::sort(ms.begin(), ms.end());
      state.counters["median_ms"] = ms[ms.size() / 2];
      state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
    }
  }
  SwitchOpcLinkOff(controller, link);
  pipe.Stop();
  server.Stop();
  std::filesystem::remove_all(dir);
}
BENCHMARK(OpcLinkCycle)->Iterations(2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kavro::bench

BENCHMARK_MAIN();
