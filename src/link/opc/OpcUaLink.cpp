#include "link/opc/OpcUaLink.h"

#include "engine/EventNotes.h"

namespace kavro {

void OpcUaLink::FollowPanel(const Controller& controller) {
  link_.panelVisible = controller.model.Link.Watched;
}

bool OpcUaLink::SwitchOn(Controller& controller) {
  const ControllerModel& model = controller.model;
  std::string problem;
  client_.Configure(BridgeSettingsFor(model.WorkDir, model.FLCBlock.Link2Appl, &problem));
  client_.UseEventPump(controller.ports.events.get());
  if (!problem.empty()) NoteEvent(controller, EventKind::LinkFault, problem);
  FollowPanel(controller);
  SwitchOpcLinkOn(controller, link_);
  return true;
}

void OpcUaLink::Read(Controller& controller) { ReadOpcLinkInput(controller, link_); }

void OpcUaLink::Write(Controller& controller) { WriteOpcLinkOutput(controller, link_); }

void OpcUaLink::SwitchOff(Controller& controller) {
  FollowPanel(controller);
  SwitchOpcLinkOff(controller, link_);
  bridge_.Stop();
}

void OpcUaLink::Supervise(Controller& controller) {
  FollowPanel(controller);
  SuperviseOpcLink(controller, link_);
}

LinkPanelLines OpcUaLink::PanelLines(const Controller&, bool tagsNotFound) const {
  return ShowOpcLinkPanel(link_, tagsNotFound);
}

}  // namespace kavro
