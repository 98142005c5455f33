#include "link/ActiveLink.h"

#include "common/TimeOfDay.h"
#include "engine/EventNotes.h"

namespace kavro {

bool ActiveLink::SwitchOn(Controller& controller) {
  std::unique_ptr<Link> link = factory_(controller.model);
  if (!link->SwitchOn(controller)) return false;
  link_ = std::move(link);
  return true;
}

void ActiveLink::SwitchOff(Controller& controller) {
  readFault_ = {};
  writeFault_ = {};
  if (link_) {
    link_->SwitchOff(controller);
    link_.reset();
  }
  controller.model.Link.LinkStatus = kOff;
  controller.model.Link.LinkStatusSent = kOff;
}

void ActiveLink::Track(Controller& controller, FaultSpell& spell, bool fault, const char* what) {
  const double now = controller.ports.clock->SecondsOfDay();
  if (fault && spell.since < 0) {
    spell.since = now;
    NoteEvent(controller, EventKind::LinkFault, std::string("Link ") + what + " error began");
  } else if (!fault && spell.since >= 0) {
    const double lasted = SecondsBetween(spell.since, now);
    spell.since = -1;
    NoteEvent(controller, EventKind::Link,
              std::string("Link ") + what + " error ended after " + DurationText(lasted));
  }
}

void ActiveLink::Read(Controller& controller) {
  if (link_) {
    link_->Read(controller);
  } else {
    controller.model.LinkReadError = true;
  }
  Track(controller, readFault_, controller.model.LinkReadError, "read");
}

void ActiveLink::Write(Controller& controller) {
  if (link_) {
    link_->Write(controller);
  } else {
    controller.model.LinkWriteError = true;
  }
  Track(controller, writeFault_, controller.model.LinkWriteError, "write");
}

void ActiveLink::Supervise(Controller& controller) {
  if (link_) link_->Supervise(controller);
}

LinkPanelLines ActiveLink::PanelLines(const Controller& controller, bool tagsNotFound) const {
  return link_ ? link_->PanelLines(controller, tagsNotFound) : LinkPanelLines{};
}

}  // namespace kavro
