#include "link/LinkTags.h"

#include "common/NumberText.h"

namespace kavro {

std::vector<std::string> ReadTagList(const ControllerModel& model) {
  std::vector<std::string> tags = {model.FLCBlock.DCSONOFF, model.FLCBlock.DCSWatchDog,
                                   model.FLCBlock.DCSRunFreq};
  ForEachValueTag(model, [&](const std::string& tag, const float&) { tags.push_back(tag); });
  return tags;
}

std::vector<std::string> WriteTagList(const ControllerModel& model) {
  std::vector<std::string> tags = {model.FLCBlock.DCSWatchDog, model.FLCBlock.DCSErrorCode};
  for (int k = 1; k <= NumOut; ++k) tags.push_back(model.PVarOut[k].DCSTagOut);
  return tags;
}

std::string OutputValueText(const PVarOutRecord& output) {
  if (IsNotUsed(output.ValueOut) || !output.SendOutput || ToNumber(output.ValueOut) == 0) {
    return "X";
  }
  return output.ValueOut;
}

std::string OutputSentText(const ControllerModel& model, int k) {
  return model.Link.PlantReadThisCycle ? OutputValueText(model.PVarOut[k]) : std::string("X");
}

}  // namespace kavro
