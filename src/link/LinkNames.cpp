#include "link/LinkNames.h"

#include "common/TextUtil.h"
#include "config/ConfigLines.h"

namespace kavro {

bool IsUsableFileName(std::string_view name) {
  const std::string trimmed = Trim(name);
  if (trimmed.empty() || trimmed == "." || trimmed == "..") return false;
  return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::optional<std::string> LinkFilePath(const ControllerModel& model, std::string_view extension) {
  if (!IsUsableFileName(model.FLCBlock.Name1)) return std::nullopt;
  return model.WorkDir + "/" + model.FLCBlock.Name1 + std::string(extension);
}

std::string LinkClientName(const ControllerModel& model) {
  return TrimRight(model.Program_Interface);
}

std::optional<std::string> UnusableLinkNameMessage(const ControllerModel& model) {
  if (!IsUsableFileName(model.FLCBlock.Name1)) {
    return "Unusable Controller Name for Link Files - \"" + model.FLCBlock.Name1 + "\"" + kCrLf +
           "Please check the Name Entered";
  }
  if (!IsUsableFileName(LinkClientName(model))) {
    return "Unusable Link Client Program Name - \"" + model.Program_Interface + "\"" + kCrLf +
           "Please check the Program Name Entered";
  }
  return std::nullopt;
}

}  // namespace kavro
