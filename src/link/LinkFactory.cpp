#include "link/LinkFactory.h"

#include "link/FileLink.h"
#include "model/LinkKind.h"

namespace kavro {
namespace {

class UnavailableOpcLink final : public Link {
 public:
  bool SwitchOn(Controller& controller) override {
    controller.ports.op->MessageBox("The OPC Link Is Not Available In This Version",
                                    controller.model.ProductName, MsgIcon::Critical,
                                    MsgButtons::OK);
    return false;
  }
  void Read(Controller& controller) override { controller.model.LinkReadError = true; }
  void Write(Controller& controller) override { controller.model.LinkWriteError = true; }
  void SwitchOff(Controller& controller) override {
    controller.model.Link.LinkStatus = kOff;
    controller.model.Link.LinkStatusSent = kOff;
  }
  void Supervise(Controller&) override {}
  std::vector<std::string> PanelLines(const Controller&) const override { return {}; }
};

}  // namespace

std::unique_ptr<Link> MakeLink(const ControllerModel& model) {
  if (SelectsOpcLink(model.Program_Interface)) return std::make_unique<UnavailableOpcLink>();
  return std::make_unique<FileLink>();
}

}  // namespace kavro
