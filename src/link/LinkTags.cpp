#include "link/LinkTags.h"

#include "common/NumberText.h"
#include "common/TextUtil.h"

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

std::vector<bool> CountedReadTags(const ControllerModel& model) {
  std::vector<bool> counted;
  for (const std::string& tag : {model.FLCBlock.DCSONOFF, model.FLCBlock.DCSWatchDog,
                                 model.FLCBlock.DCSRunFreq}) {
    counted.push_back(!IsAllSpaces(tag));
  }
  ForEachVariableTag(model, [&](const std::string& tag, const float&, bool used) {
    counted.push_back(used && !IsAllSpaces(tag));
  });
  return counted;
}

std::vector<bool> CountedWriteTags(const ControllerModel& model) {
  std::vector<bool> counted = {!IsAllSpaces(model.FLCBlock.DCSWatchDog),
                               !IsAllSpaces(model.FLCBlock.DCSErrorCode)};
  for (int k = 1; k <= NumOut; ++k) {
    counted.push_back(IsUsed(model.PVarOut[k]) && !IsAllSpaces(model.PVarOut[k].DCSTagOut));
  }
  return counted;
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
