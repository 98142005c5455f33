#pragma once
// The file link: the link client program in WorkDir owns the DCS connection and exchanges
// Name1.Tag, Name1.IN and Name1.OUT (.TST in To File mode) with the controller.
#include "link/DcsRunFrequency.h"
#include "link/Link.h"
#include "link/LinkClient.h"
#include "link/LinkInputAge.h"

namespace kavro {

class FileLink final : public Link {
 public:
  // Checks Name1 and the link client name, writes the .Tag file, starts the link client
  // program with Name1. A name unfit for a path, or a program that does not start, is shown to
  // the operator and leaves the link OFF.
  bool SwitchOn(Controller& controller) override;
  void Read(Controller& controller) override;
  void Write(Controller& controller) override;
  // Writes the STOP file. The link client program is not stopped; the STOP file is its notice.
  void SwitchOff(Controller& controller) override;
  // The auto-restart option: see SuperviseLinkClient.
  void Supervise(Controller& controller) override;
  // lstRead: each read tag with its line of the last .IN taken; lstWrite: the lines of the last
  // .OUT written. The file link refuses no tag: with tagsNotFound both lists are empty.
  LinkPanelLines PanelLines(const Controller& controller, bool tagsNotFound) const override;

  const LinkClientState& Client() const { return client_; }

 private:
  // Takes .IN only when it is fresh, written since the switch-on and of a sane size; notes the
  // start of a stale, leftover or oversized spell once.
  bool InputUsable(Controller& controller);

  LinkClientState client_;
  LinkInputCheck lastInput_;
  LinkInputState notedState_ = LinkInputState::Fresh;
  DcsRunFrequency runFrequency_;
  // The link files of the last good read and write, for the link debug panel; a failed read or
  // write empties its own.
  std::string lastInputText_;
  std::string lastOutputText_;
};

}  // namespace kavro
