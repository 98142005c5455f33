#include "Session.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <set>
#include <stdexcept>
#include <thread>

#include "ClientFiles.h"
#include "ControllerConfig.h"
#include "plant/PlantSimulation.h"
#include "common/LocalNow.h"
#include "common/NumberText.h"
#include "common/SafeText.h"
#include "common/TextUtil.h"
#include "common/ports/FileSystem.h"
#include "config/ConfigFile.h"
#include "link/LinkNames.h"

namespace kavro::plantsim {
namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t gSignalled = 0;
extern "C" void OnSignal(int) {
  gSignalled = 1;
}

constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr double kDefaultIdleSeconds = 120.0;

std::string ReadText(const std::string& path) {
  std::string bytes;
  if (!SystemFileSystem().ReadAll(path, bytes)) bytes.clear();
  return bytes;
}

// The plant's state lives beside its plant file, so that a restarted simulator (the controller
// restarts its link client) goes on where the last one stopped.
std::string StatePath(const SessionOptions& options) { return options.plantFile + ".state"; }

class Session {
 public:
  Session(const SessionOptions& options, TagLists tags, PlantSimulation plant,
          ControllerTiming timing, std::string planKey)
      : options_(options),
        tags_(std::move(tags)),
        plant_(std::move(plant)),
        timing_(timing),
        linkFrequency_(timing.linkFrequency),
        planKey_(std::move(planKey)) {}

  int Run();

 private:
  std::string Path(const char* extension) const {
    return options_.dir + "/" + options_.name1 + extension;
  }
  double ReadValue(std::size_t index, const std::string& tag);
  void WriteInput();
  // Applies a new .OUT; false when it says STOP.
  bool ApplyOutput(const std::string& text);
  bool StillOwner() const { return ReadText(Path(".sim")) == ownerMark_; }
  int End(const std::string& reason, bool owner);
  void SaveState() {
    SystemFileSystem().WriteAtomic(StatePath(options_), plant_.SaveState(planKey_));
  }

  SessionOptions options_;
  TagLists tags_;
  PlantSimulation plant_;
  ControllerTiming timing_;
  int linkFrequency_;
  std::string ownerMark_ = std::to_string(::getpid()) + "\n";
  std::set<std::string> unknownTags_;
  std::string planKey_;
};

double Session::ReadValue(std::size_t index, const std::string& tag) {
  // The .Tag order is fixed: the controller's on/off tag, its watchdog, its run frequency.
  if (index == 0) return 1;
  if (index == 2) return timing_.runFrequency;
  if (TrimRight(tag).empty()) return 0;
  if (const auto value = plant_.Read(tag)) return *value;
  // A tag the controller writes (its watchdog) reads 0 until it is first written.
  if (std::find(tags_.write.begin(), tags_.write.end(), tag) != tags_.write.end()) return 0;
  if (unknownTags_.insert(tag).second) {
    std::fprintf(stderr, "kavro-plantsim: tag %s is not in the plant file; it reads 0\n",
                 tag.c_str());
  }
  return 0;
}

void Session::WriteInput() {
  std::vector<double> values;
  for (std::size_t n = 0; n < tags_.read.size(); ++n) values.push_back(ReadValue(n, tags_.read[n]));
  // Renamed into place, so the controller's copy never catches half a file.
  SystemFileSystem().WriteAtomic(Path(".IN"), InputFileText(options_.name1, LocalNow(), values));
}

bool Session::ApplyOutput(const std::string& text) {
  const auto request = ParseOutputFile(text);
  if (!request) return true;  // not a whole .OUT file: wait for the next one
  if (request->stop) return false;
  if (request->linkFrequency > 0) linkFrequency_ = request->linkFrequency;
  const std::size_t count = std::min(request->values.size(), tags_.write.size());
  for (std::size_t n = 0; n < count; ++n) {
    if (request->values[n]) plant_.Write(tags_.write[n], *request->values[n]);
  }
  return true;
}

int Session::End(const std::string& reason, bool owner) {
  if (owner) {
    SaveState();
    // A client that has ended leaves no values behind that could pass for live ones.
    SystemFileSystem().Remove(Path(".IN"));
    SystemFileSystem().Remove(Path(".sim"));
  }
  std::printf("kavro-plantsim %s: %s\n", options_.name1.c_str(), reason.c_str());
  return 0;
}

int Session::Run() {
  SystemFileSystem().WriteAtomic(Path(".sim"), ownerMark_);
  const double idleSeconds = options_.idleSeconds > 0
                                 ? options_.idleSeconds
                                 : std::max(kDefaultIdleSeconds, 3.0 * timing_.runFrequency);
  // An .OUT already there is the controller's last word to an earlier client: only changes count.
  std::string lastOutput = ReadText(Path(".OUT"));
  std::string lastTest = ReadText(Path(".TST"));
  const auto started = Clock::now();
  auto lastChange = started;
  auto lastOwnerCheck = started;
  auto lastSave = started;
  // A restored plant goes on from its own time.
  const double startPlantTime = plant_.Time();
  double nextInputAt = startPlantTime;
  std::printf("kavro-plantsim %s: running at %gx real time in %s\n", options_.name1.c_str(),
              options_.speed, options_.dir.c_str());
  std::fflush(stdout);

  for (;;) {
    if (gSignalled) return End("ended by a signal", StillOwner());
    const auto now = Clock::now();
    const double realSeconds = std::chrono::duration<double>(now - started).count();
    while (plant_.Time() - startPlantTime + PlantSimulation::kStepSeconds <=
           realSeconds * options_.speed) {
      plant_.Step();
    }
    if (plant_.Time() >= nextInputAt) {
      // A newer simulator may have taken over (and already ended, removing its .IN) since the
      // last ownership check: a replaced one must not put values back.
      if (!StillOwner()) return End("a newer simulator took over", false);
      WriteInput();
      nextInputAt = plant_.Time() + linkFrequency_;
    }
    const std::string output = ReadText(Path(".OUT"));
    if (!output.empty() && output != lastOutput) {
      lastOutput = output;
      lastChange = now;
      if (!ApplyOutput(output)) return End("STOP from the controller", StillOwner());
    }
    // In To File mode the controller writes only .TST: alive, but nothing to apply.
    const std::string test = ReadText(Path(".TST"));
    if (!test.empty() && test != lastTest) {
      lastTest = test;
      lastChange = now;
    }
    if (std::chrono::duration<double>(now - lastChange).count() > idleSeconds) {
      return End("no new .OUT or .TST from the controller for " +
                     GeneralNumber(static_cast<float>(idleSeconds)) + " s",
                 StillOwner());
    }
    if (now - lastSave > std::chrono::seconds(1) && StillOwner()) {
      lastSave = now;
      SaveState();
    }
    if (now - lastOwnerCheck > std::chrono::seconds(1)) {
      lastOwnerCheck = now;
      if (!std::filesystem::is_directory(options_.dir)) return End("the folder is gone", false);
      if (!StillOwner()) return End("a newer simulator took over", false);
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace

int RunSession(const SessionOptions& given) {
  SessionOptions options = given;
  std::error_code ignored;
  options.dir = std::filesystem::absolute(options.dir, ignored).lexically_normal().string();
  if (options.dir.size() > 1 && options.dir.back() == '/') options.dir.pop_back();
  if (!IsUsableFileName(options.name1)) {
    std::fprintf(stderr, "kavro-plantsim: \"%s\" cannot name a file\n",
                 kavro::SafeText(options.name1).c_str());
    return 2;
  }
  if (options.plantFile.empty()) options.plantFile = options.dir + "/plant.txt";
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGHUP, OnSignal);
  try {
    std::string tagText;
    if (!SystemFileSystem().ReadAll(options.dir + "/" + options.name1 + ".Tag", tagText)) {
      throw std::runtime_error("cannot read " + options.name1 + ".Tag in " + options.dir);
    }
    std::string plantText;
    if (!SystemFileSystem().ReadAll(options.plantFile, plantText)) {
      throw std::runtime_error("cannot read " + options.plantFile);
    }
    PlantSimulation plant(ParsePlantDescription(plantText));
    const std::string planKey = std::to_string(std::hash<std::string>{}(plantText));
    std::string state;
    if (SystemFileSystem().ReadAll(StatePath(options), state) && !state.empty()) {
      if (plant.RestoreState(state, planKey)) {
        std::printf("kavro-plantsim %s: going on from the plant state saved at %g s\n",
                    options.name1.c_str(), plant.Time());
      }
    }
    Session session(options, ParseTagFile(tagText), std::move(plant),
                    ReadControllerTiming(options.dir), planKey);
    return session.Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kavro-plantsim: %s\n",
                 kavro::SafeText(e.what(), 4 * kavro::kSafeTextLimit).c_str());
    return 2;
  }
}

}  // namespace kavro::plantsim
