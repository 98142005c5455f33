#include "OpcServerSession.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "ControllerConfig.h"
#include "plant/PlantSimulation.h"
#include "common/TextUtil.h"
#include "common/ports/FileSystem.h"
#include "link/opc/BridgeOpcClient.h"
#include "link/opc/PosixChildPipe.h"

namespace kavro::plantsim {
namespace {

using Json = nlohmann::json;
using SteadyClock = std::chrono::steady_clock;

volatile std::sig_atomic_t gStop = 0;
extern "C" void OnStopSignal(int) {
  gStop = 1;
}

// Loading node-opcua and making the server's certificate the first time take a while.
constexpr int kServerStartMs = 60000;
constexpr int kPollMs = 20;

class OpcServer {
 public:
  OpcServer(const SessionOptions& options, ControllerTags tags, PlantSimulation plant,
            ControllerTiming timing)
      : options_(options), tags_(std::move(tags)), plant_(std::move(plant)), timing_(timing) {}

  int Run(int port);

 private:
  bool IsInteger(const std::string& tag) const {
    return std::find(tags_.integerTags.begin(), tags_.integerTags.end(), tag) !=
           tags_.integerTags.end();
  }
  // The value the DCS holds for a read tag now; nothing for one only clients write.
  std::optional<double> ValueOf(std::size_t index, const std::string& tag) const;
  Json Define() const;
  Json Values() const;
  void Apply(const Json& written);

  SessionOptions options_;
  ControllerTags tags_;
  PlantSimulation plant_;
  ControllerTiming timing_;
  PosixChildPipe server_;
};

std::optional<double> OpcServer::ValueOf(std::size_t index, const std::string& tag) const {
  // The read list starts with the controller's on/off tag, its watchdog and its run frequency.
  if (index == 0) return 1;
  if (index == 2) return timing_.runFrequency;
  return plant_.Read(tag);
}

Json OpcServer::Define() const {
  Json tags = Json::array();
  std::vector<std::string> seen;
  const auto add = [&](const std::string& tag, double value) {
    const std::string name = TrimRight(tag);
    if (name.empty() || std::find(seen.begin(), seen.end(), name) != seen.end()) return;
    seen.push_back(name);
    tags.push_back({{"name", name}, {"type", IsInteger(tag) ? "Int16" : "Double"}, {"value", value}});
  };
  for (std::size_t n = 0; n < tags_.lists.read.size(); ++n) {
    add(tags_.lists.read[n], ValueOf(n, tags_.lists.read[n]).value_or(0));
  }
  for (const std::string& tag : tags_.lists.write) add(tag, 0);
  return {{"op", "define"}, {"tags", tags}};
}

Json OpcServer::Values() const {
  Json values = Json::object();
  for (std::size_t n = 0; n < tags_.lists.read.size(); ++n) {
    const std::string name = TrimRight(tags_.lists.read[n]);
    if (name.empty()) continue;
    if (const auto value = ValueOf(n, tags_.lists.read[n])) values[name] = *value;
  }
  return {{"op", "set"}, {"values", values}};
}

void OpcServer::Apply(const Json& written) {
  for (const auto& [tag, value] : written.items()) {
    if (value.is_number()) plant_.Write(tag, value.get<double>());
  }
}

int OpcServer::Run(int port) {
  const std::string folder = OpcUaBridgeFolder();
  const std::string pki = options_.dir + "/.plantsim-pki";
  if (!server_.Start("node", {folder + "/plant-server.js", "--port", std::to_string(port),
                              "--pki", pki})) {
    throw std::runtime_error("cannot start node with " + folder + "/plant-server.js");
  }
  server_.WriteLine(Define().dump());
  std::string endpoint;
  const auto startBy = SteadyClock::now() + std::chrono::milliseconds(kServerStartMs);
  while (endpoint.empty()) {
    const auto line = server_.ReadLine(200);
    if (gStop) return 0;
    if (!line) {
      if (!server_.Running() || SteadyClock::now() > startBy) {
        throw std::runtime_error("the OPC UA server did not start on port " + std::to_string(port));
      }
      continue;
    }
    const Json message = Json::parse(*line, nullptr, false);
    if (message.is_object() && message.value("ready", false)) endpoint = message.value("endpoint", "");
  }
  std::printf("kavro-plantsim %s: OPC UA server at %s\n", options_.name1.c_str(), endpoint.c_str());
  std::fflush(stdout);

  const auto started = SteadyClock::now();
  while (!gStop) {
    const double realSeconds = std::chrono::duration<double>(SteadyClock::now() - started).count();
    bool stepped = false;
    while (plant_.Time() + PlantSimulation::kStepSeconds <= realSeconds * options_.speed) {
      plant_.Step();
      stepped = true;
    }
    if (stepped && !server_.WriteLine(Values().dump())) break;
    while (const auto line = server_.ReadLine(kPollMs)) {
      const Json message = Json::parse(*line, nullptr, false);
      if (message.is_object() && message.contains("written")) Apply(message["written"]);
    }
    if (!server_.Running()) {
      std::fprintf(stderr, "kavro-plantsim: the OPC UA server has ended\n");
      return 2;
    }
  }
  server_.Stop();
  std::printf("kavro-plantsim %s: ended\n", options_.name1.c_str());
  return 0;
}

}  // namespace

int RunOpcServer(const SessionOptions& given, int port) {
  SessionOptions options = given;
  std::error_code ignored;
  options.dir = std::filesystem::absolute(options.dir, ignored).lexically_normal().string();
  if (options.dir.size() > 1 && options.dir.back() == '/') options.dir.pop_back();
  if (options.plantFile.empty()) options.plantFile = options.dir + "/plant.txt";
  std::signal(SIGTERM, OnStopSignal);
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGHUP, OnStopSignal);
  try {
    std::string plantText;
    if (!SystemFileSystem().ReadAll(options.plantFile, plantText)) {
      throw std::runtime_error("cannot read " + options.plantFile);
    }
    OpcServer server(options, ReadControllerTags(options.dir),
                     PlantSimulation(ParsePlantDescription(plantText)),
                     ReadControllerTiming(options.dir));
    return server.Run(port);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kavro-plantsim: %s\n", e.what());
    return 2;
  }
}

}  // namespace kavro::plantsim
