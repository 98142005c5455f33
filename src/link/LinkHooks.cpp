#include "link/LinkHooks.h"

#include "link/LinkClient.h"
#include "link/LinkCommands.h"
#include "link/LinkFiles.h"
#include "link/LinkNames.h"

namespace kavro {

void FillLinkCycleSteps(CycleSteps& steps) {
  steps.readLink = [](Controller& controller) { ReadLinkInput(controller); };
  steps.writeLink = [](Controller& controller) {
    WriteLinkOutput(controller);
    // After the write, so that a restarted client finds this cycle's .OUT.
    SuperviseLinkClient(controller);
  };
}

void FillLinkStartupSteps(StartupSteps& steps) {
  steps.deleteStaleLinkOutput = DeleteStaleLinkOutput;
  steps.autoStartLink = AutoStartLink;
}

void DeleteStaleLinkOutput(Controller& controller) {
  const auto path = LinkFilePath(controller.model, kOutExtension);
  if (path && controller.ports.files->Exists(*path)) controller.ports.files->Remove(*path);
}

void AutoStartLink(Controller& controller) {
  const ControllerModel& model = controller.model;
  if (!model.RestartInterface || model.Link.LinkStatus != kOff) return;
  if (LinkClientName(model).empty() || SelectsOpcLink(model.Program_Interface)) return;
  SwitchLinkOn(controller);
}

}  // namespace kavro
