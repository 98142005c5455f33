#include "link/ActiveLink.h"

namespace kavro {

bool ActiveLink::SwitchOn(Controller& controller) {
  std::unique_ptr<Link> link = factory_(controller.model);
  if (!link->SwitchOn(controller)) return false;
  link_ = std::move(link);
  return true;
}

void ActiveLink::SwitchOff(Controller& controller) {
  if (link_) {
    link_->SwitchOff(controller);
    link_.reset();
  }
  controller.model.Link.LinkStatus = kOff;
  controller.model.Link.LinkStatusSent = kOff;
}

void ActiveLink::Read(Controller& controller) {
  if (link_) {
    link_->Read(controller);
  } else {
    controller.model.LinkReadError = true;
  }
}

void ActiveLink::Write(Controller& controller) {
  if (link_) {
    link_->Write(controller);
  } else {
    controller.model.LinkWriteError = true;
  }
}

void ActiveLink::Supervise(Controller& controller) {
  if (link_) link_->Supervise(controller);
}

std::vector<std::string> ActiveLink::PanelLines(const Controller& controller) const {
  return link_ ? link_->PanelLines(controller) : std::vector<std::string>{};
}

}  // namespace kavro
