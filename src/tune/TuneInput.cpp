#include "tune/TuneInput.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "common/SafeText.h"
#include "common/TextUtil.h"
#include "common/ports/FileSystem.h"
#include "link/LinkTags.h"
#include "session/Replay.h"
#include "tune/ClosedLoop.h"

namespace kavro {

PlantDescription LoadPlantFile(const std::string& path) {
  std::string text;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) || !SystemFileSystem().ReadAll(path, text)) {
    throw TuneInputError("cannot read the plant file " + SafeText(path));
  }
  try {
    return ParsePlantDescription(text);
  } catch (const std::runtime_error& bad) {
    throw TuneInputError(SafeText(path) + ": " + SafeText(bad.what(), 4 * kSafeTextLimit));
  }
}

void LoadConfiguration(Controller& controller, const std::string& workDir) {
  const std::string config = workDir + "/FLC.dat";
  std::error_code error;
  if (!std::filesystem::is_regular_file(config, error)) {
    throw TuneInputError("no configuration " + SafeText(config));
  }
  if (!LoadForReplay(controller, workDir)) {
    throw TuneInputError(SafeText(config) + " could not be read");
  }
}

void CheckPlantAgainstConfiguration(const ControllerModel& model, const PlantDescription& plant) {
  std::vector<std::string> known;
  for (const std::string& tag : ReadTagList(model)) known.push_back(TrimRight(tag));
  for (const std::string& tag : WriteTagList(model)) known.push_back(TrimRight(tag));
  const auto check = [&known](const std::string& tag) {
    if (std::find(known.begin(), known.end(), tag) == known.end()) {
      throw TuneInputError("the plant names " + SafeText(tag) + ", a tag the configuration does not have");
    }
  };
  for (const PlantInput& in : plant.inputs) check(in.tag);
  for (const PlantOutput& out : plant.outputs) {
    check(out.pvTag);
    check(out.spTag);
  }
  for (const PlantValue& value : plant.values) check(value.tag);

  for (int o = 1; o <= NumOut; ++o) {
    if (!IsUsed(model.PVarOut[o])) continue;
    const std::string tag = TrimRight(model.PVarOut[o].DCSTagPV);
    std::size_t index = plant.outputs.size();
    for (std::size_t k = 0; k < plant.outputs.size(); ++k) {
      if (plant.outputs[k].pvTag == tag) index = k;
    }
    const bool reached = std::any_of(plant.responses.begin(), plant.responses.end(),
                                     [index](const PlantResponse& r) { return r.output == index; });
    if (index == plant.outputs.size() || !reached) {
      throw TuneInputError("no response of the plant reaches the output " + SafeText(tag));
    }
  }
}

}  // namespace kavro
