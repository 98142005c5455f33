#include "session/LinkCommands.h"

#include "config/ConfigLines.h"
#include "config/RestartOption.h"
#include "display/StatusFrame.h"
#include "engine/EventNotes.h"
#include "link/LinkNames.h"
#include "model/CycleHold.h"

namespace kavro {
namespace {

bool Ask(Controller& controller, const std::string& question) {
  return controller.ports.op->MessageBox(question, controller.model.ProductName, MsgIcon::Question,
                                         MsgButtons::YesNo) == MsgAnswer::Yes;
}

}  // namespace

bool SwitchLinkOn(Controller& controller, ActiveLink& link, const char* by) {
  const bool on = link.SwitchOn(controller);
  ShowStatusFrame(controller);
  if (on) NoteEvent(controller, EventKind::Link, std::string("Link switched ON by ") + by);
  return on;
}

void SwitchLinkOff(Controller& controller, ActiveLink& link, const char* by) {
  link.SwitchOff(controller);
  ShowStatusFrame(controller);
  NoteEvent(controller, EventKind::Link, std::string("Link switched OFF by ") + by);
}

void mnuLinkStatus(Controller& controller, ActiveLink& link) {
  ControllerModel& model = controller.model;
  CycleHoldGuard hold(model);
  if (model.Link.LinkStatus == kOff) {
    if (Ask(controller, "Link Status is OFF, Turn it ON?")) SwitchLinkOn(controller, link);
  } else if (model.Link.LinkStatus == kOn) {
    if (Ask(controller, "Link Status is ON, Turn it OFF?")) SwitchLinkOff(controller, link);
  }
}

void mnuLinkRestart(Controller& controller) {
  ControllerModel& model = controller.model;
  CycleHoldGuard hold(model);
  const std::string current = model.RestartInterface ? kOn : kOff;
  const std::string other = model.RestartInterface ? kOff : kOn;
  const MsgAnswer answer = controller.ports.op->MessageBox(
      "Link Auto ReStart Option = " + current + kCrLf + " Change Restart Option To " + other,
      model.ProductName, MsgIcon::Question, MsgButtons::OKCancel);
  if (answer != MsgAnswer::OK) return;  // Cancel changes nothing, on disk or in memory
  model.RestartInterface = !model.RestartInterface;
  WriteRestartOption(controller);
}

void AutoStartLink(Controller& controller, ActiveLink& link) {
  const ControllerModel& model = controller.model;
  if (!model.RestartInterface || model.Link.LinkStatus != kOff) return;
  if (LinkClientName(model).empty()) return;
  SwitchLinkOn(controller, link, kByRestartOption);
}

}  // namespace kavro
