#include "link/LinkFactory.h"

#include "link/FileLink.h"
#include "link/opc/OpcUaLink.h"
#include "model/LinkKind.h"

namespace kavro {

std::unique_ptr<Link> MakeLink(const ControllerModel& model) {
  if (SelectsOpcLink(model.Program_Interface)) return std::make_unique<OpcUaLink>();
  return std::make_unique<FileLink>();
}

}  // namespace kavro
