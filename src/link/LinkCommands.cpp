#include "link/LinkCommands.h"

#include "config/ConfigFile.h"
#include "config/ConfigLines.h"
#include "link/LinkClient.h"
#include "link/LinkFiles.h"
#include "link/LinkNames.h"
#include "model/Colour.h"

namespace kavro {
namespace {

constexpr int kLightGreen = 10;
constexpr int kLightRed = 12;

void ShowProblem(Controller& controller, const std::string& text) {
  controller.ports.op->MessageBox(text, controller.model.ProductName, MsgIcon::Critical,
                                  MsgButtons::OK);
}

bool Ask(Controller& controller, const std::string& question) {
  return controller.ports.op->MessageBox(question, controller.model.ProductName, MsgIcon::Question,
                                         MsgButtons::YesNo) == MsgAnswer::Yes;
}

}  // namespace

void ShowLinkState(Controller& controller) {
  const bool on = controller.model.Link.LinkStatus == kOn;
  controller.window.lblLink.caption = on ? "Link ON" : "Link OFF";
  controller.window.lblLink.backColour = PaletteColour(on ? kLightGreen : kLightRed);
}

bool SwitchLinkOn(Controller& controller) {
  ControllerModel& model = controller.model;
  if (SelectsOpcLink(model.Program_Interface)) {
    ShowProblem(controller, "The OPC Link Is Not Available In This Version");
    return false;
  }
  if (const auto unusable = UnusableLinkNameMessage(model)) {
    ShowProblem(controller, *unusable);
    return false;
  }
  WriteTagFile(controller);
  const std::string file = LinkClientFile(controller);
  const long long id = StartLinkClient(controller, file);
  if (id <= 0) {
    ShowProblem(controller, UnableToStartMessage(file));
    return false;
  }
  LinkState& link = model.Link;
  link.ClientProcessId = id;
  link.LastRestartAttempt = -1;
  // The client needs a moment to write its first .IN: the next cycle only writes.
  link.SkipNextRead = true;
  link.LinkStatus = kOn;
  link.LinkStatusSent = kOn;
  ShowLinkState(controller);
  return true;
}

void SwitchLinkOff(Controller& controller) {
  LinkState& link = controller.model.Link;
  link.LinkStatus = kOff;
  WriteLinkOutput(controller);  // the STOP file, while LinkStatusSent still reads "ON"
  link.LinkStatusSent = kOff;
  link.ClientProcessId = 0;
  ShowLinkState(controller);
}

void mnuLinkStatus(Controller& controller) {
  ControllerModel& model = controller.model;
  model.CycleHold = true;
  if (model.Link.LinkStatus == kOff) {
    if (Ask(controller, "Link Status is OFF, Turn it ON?")) SwitchLinkOn(controller);
  } else if (model.Link.LinkStatus == kOn) {
    if (Ask(controller, "Link Status is ON, Turn it OFF?")) SwitchLinkOff(controller);
  }
  model.CycleHold = false;
}

void mnuLinkRestart(Controller& controller) {
  ControllerModel& model = controller.model;
  model.CycleHold = true;
  const std::string current = model.RestartInterface ? kOn : kOff;
  const std::string other = model.RestartInterface ? kOff : kOn;
  const MsgAnswer answer = controller.ports.op->MessageBox(
      "Link Auto ReStart Option = " + current + kCrLf + " Change Restart Option To " + other,
      model.ProductName, MsgIcon::Question, MsgButtons::OKCancel);
  if (answer == MsgAnswer::OK) model.RestartInterface = !model.RestartInterface;
  WriteConfig(controller);
  model.CycleHold = false;
}

}  // namespace kavro
