#include "tune/TuneRun.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "common/NumberText.h"
#include "common/SafeText.h"
#include "common/TextUtil.h"
#include "common/ports/FileSystem.h"
#include "config/ConfigFile.h"
#include "tune/Baseline.h"
#include "tune/ClosedLoop.h"
#include "tune/Optimiser.h"
#include "tune/ParallelRuns.h"
#include "tune/Scenarios.h"
#include "tune/TuneInput.h"
#include "tune/TuneReport.h"
#include "tune/ZonePointsText.h"
#include "tune/ZoneSpace.h"

namespace kavro {
namespace {

namespace fs = std::filesystem;

void CheckOutDir(const TuneOptions& options) {
  std::error_code error;
  const fs::path out = fs::weakly_canonical(options.outDir, error);
  const fs::path work = fs::weakly_canonical(options.workDir, error);
  if (out == work) {
    throw TuneInputError("--out " + SafeText(options.outDir) + " is the working folder itself");
  }
  if (fs::exists(out, error) && (!fs::is_directory(out, error) || !fs::is_empty(out, error))) {
    throw TuneInputError("--out " + SafeText(options.outDir) + " is not an empty folder");
  }
}

std::vector<LoopSetup> Setups(const std::string& workDir, const std::vector<Scenario>& scenarios,
                              double hours) {
  std::vector<LoopSetup> setups;
  for (const Scenario& s : scenarios) {
    LoopSetup setup;
    setup.workDir = workDir;
    setup.plant = s.plant;
    setup.hours = hours;
    setups.push_back(setup);
  }
  return setups;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::string error;
  if (!SystemFileSystem().WriteAtomic(path, bytes, &error)) {
    throw TuneInputError("cannot write " + SafeText(path) + ": " + error);
  }
}

// The four contenders on one set of scenarios.
ScenarioTable Compare(const std::string& tunedDir, const std::string& workDir,
                      const std::vector<Scenario>& scenarios, double hours,
                      const std::vector<PiLoop>& loops, int16_t runFrequency) {
  ScenarioTable table;
  for (const Scenario& s : scenarios) table.scenarios.push_back(s.name);
  table.tuned = ScoreRuns(Setups(tunedDir, scenarios, hours));
  table.shipped = ScoreRuns(Setups(workDir, scenarios, hours));
  std::vector<LoopSetup> pi = Setups(workDir, scenarios, hours);
  for (LoopSetup& setup : pi) setup.replaceOutputs = PiController(loops, runFrequency);
  table.pi = ScoreRuns(pi);
  std::vector<LoopSetup> none = Setups(workDir, scenarios, hours);
  for (LoopSetup& setup : none) setup.replaceOutputs = HoldOutputs();
  table.none = ScoreRuns(none);
  return table;
}

}  // namespace

void RunTune(const TuneOptions& given, std::ostream& progress, const PlotWriter& writePlots) {
  TuneOptions options = given;
  if (options.plantFile.empty()) options.plantFile = options.workDir + "/plant.txt";
  CheckOutDir(options);
  const PlantDescription plant = LoadPlantFile(options.plantFile);
  Controller controller;
  LoadConfiguration(controller, options.workDir);
  CheckPlantAgainstConfiguration(controller.model, plant);
  std::string original;
  SystemFileSystem().ReadAll(options.workDir + "/FLC.dat", original);
  const ZoneSpace space(controller.model);
  const std::vector<Scenario> tuning = TuningScenarios(plant);
  const std::vector<LoopSetup> tuningSetups = Setups(options.workDir, tuning, options.hours);
  // The shipped configuration's first run finds a configuration with no rule in use before any
  // search (and before anything is written).
  RunClosedLoop([&] {
    LoopSetup first = tuningSetups.front();
    first.hours = std::min(options.hours, 0.1);
    return first;
  }());
  const std::vector<PiLoop> loops = PlanBaseline(controller.model, plant, {});

  auto lastShown = std::chrono::steady_clock::now();
  const auto show = [&](const SearchProgress& p) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown < std::chrono::seconds(2)) return;
    lastShown = now;
    char line[160];
    std::snprintf(line, sizeof line, "kavro-tune: %ld evaluations, best objective %.4f, %.0f s left\n",
                  p.evaluations, p.best, p.secondsLeft);
    progress << line << std::flush;
  };
  const SearchResult result = Minimise(
      [&](const std::vector<double>& x) {
        std::vector<LoopSetup> setups = tuningSetups;
        for (LoopSetup& setup : setups) {
          setup.adjust = [&space, &x](Controller& c) { space.Apply(x, c.model); };
        }
        return MeanObjective(ScoreRuns(setups));
      },
      space.Lower(), space.Upper(), space.Start(), options.budgetSeconds, show);

  ControllerModel tuned = controller.model;
  space.Apply(result.best, tuned);
  const std::string text = WithZonePoints(original, tuned);
  {
    // The file must read back as tuned: a mismatch is never written.
    Controller check;
    ResetModel(check.model, options.workDir);
    ApplyDefaults(check.model);
    if (!ReadConfigBytes(check, text) ||
        ConfigText(check.model, "") != ConfigText(tuned, "")) {
      throw TuneInputError("the tuned FLC.dat does not read back as tuned; nothing written");
    }
  }
  std::error_code error;
  fs::create_directories(options.outDir, error);
  if (error) throw TuneInputError("cannot make " + SafeText(options.outDir) + ": " + error.message());
  WriteFile(options.outDir + "/FLC.dat", text);
  for (const char* script : {"FLC_Pre.scp", "FLC_Post.scp"}) {
    std::string bytes;
    if (SystemFileSystem().ReadAll(options.workDir + "/" + script, bytes)) {
      WriteFile(options.outDir + "/" + script, bytes);
    }
  }
  std::string plantText;
  SystemFileSystem().ReadAll(options.plantFile, plantText);
  WriteFile(options.outDir + "/plant.txt", plantText);

  progress << "kavro-tune: " << result.evaluations << " evaluations; comparing on "
           << tuning.size() << " tuning and " << UnseenScenarios(plant).size()
           << " unseen scenarios\n" << std::flush;
  const int16_t period = controller.model.FLCBlock.RunFrequency;
  TuneReport report;
  report.name = TrimRight(controller.model.FLCBlock.Name1);
  report.hours = options.hours;
  report.budgetSeconds = options.budgetSeconds;
  report.evaluations = result.evaluations;
  report.piSettings = PiSettingsText(loops);
  report.zoneChanges = ZoneChangesText(controller.model, tuned);
  report.tuning = Compare(options.outDir, options.workDir, tuning, options.hours, loops, period);
  report.unseen =
      Compare(options.outDir, options.workDir, UnseenScenarios(plant), options.hours, loops, period);
  if (writePlots) {
    TunePlots plots;
    plots.before = RunClosedLoop(tuningSetups.front());
    LoopSetup after = tuningSetups.front();
    after.workDir = options.outDir;
    plots.after = RunClosedLoop(after);
    plots.bestSoFar = result.bestSoFar;
    report.plots = writePlots(options.outDir, plots);
  }
  WriteFile(options.outDir + "/report.md", TuneReportText(report));
}

}  // namespace kavro
