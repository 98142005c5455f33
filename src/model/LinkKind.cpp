#include "model/LinkKind.h"

#include <cctype>
#include <string>

#include "common/TextUtil.h"

namespace kavro {

bool SelectsOpcLink(std::string_view programInterface) {
  std::string name = TrimRight(programInterface);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name == "VELDTBRG" || name == "VELDTSRV";
}

bool DebugLinkCanOpen(const ControllerModel& model) {
  return model.Link.LinkStatus == kOn || SelectsOpcLink(model.Program_Interface);
}

}  // namespace kavro
