#include "link/FileLink.h"

#include "link/LinkFiles.h"
#include "link/LinkNames.h"

namespace kavro {
namespace {

void ShowProblem(Controller& controller, const std::string& text) {
  controller.ports.op->MessageBox(text, controller.model.ProductName, MsgIcon::Critical,
                                  MsgButtons::OK);
}

}  // namespace

bool FileLink::SwitchOn(Controller& controller) {
  ControllerModel& model = controller.model;
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
  client_ = LinkClientState{id, -1};
  LinkState& link = model.Link;
  // The client needs a moment to write its first .IN: the next cycle only writes.
  link.SkipNextRead = true;
  link.LinkStatus = kOn;
  link.LinkStatusSent = kOn;
  return true;
}

void FileLink::Read(Controller& controller) { ReadLinkInput(controller); }

void FileLink::Write(Controller& controller) { WriteLinkOutput(controller); }

void FileLink::SwitchOff(Controller& controller) {
  LinkState& link = controller.model.Link;
  link.LinkStatus = kOff;
  WriteLinkOutput(controller);  // the STOP file, while LinkStatusSent still reads "ON"
  link.LinkStatusSent = kOff;
  client_.processId = 0;
}

void FileLink::Supervise(Controller& controller) { SuperviseLinkClient(controller, client_); }

std::vector<std::string> FileLink::PanelLines(const Controller&) const { return {}; }

}  // namespace kavro
