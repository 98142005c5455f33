#pragma once
// The link of one running controller: none while the link is OFF; from the operator's (or the
// auto-start's) switch-on the link the configuration named at that moment, until switch-off.
#include <memory>

#include "link/LinkFactory.h"

namespace kavro {

class ActiveLink {
 public:
  explicit ActiveLink(LinkFactory factory = MakeLink) : factory_(std::move(factory)) {}

  // Makes the configured kind of link and switches it on; it is kept only when it came on.
  bool SwitchOn(Controller& controller);
  // Switches the link off (when there is one) and forgets it; LinkStatus reads "OFF" after.
  void SwitchOff(Controller& controller);

  // The cycle's link steps. Without a link nothing fresh came in and nothing went out, so
  // they report LinkReadError / LinkWriteError rather than count as done.
  void Read(Controller& controller);
  void Write(Controller& controller);
  void Supervise(Controller& controller);
  // What the link debug panel lists; nothing while the link is OFF.
  LinkPanelLines PanelLines(const Controller& controller, bool tagsNotFound) const;

  // The link switched on, or null while it is OFF.
  Link* Current() const { return link_.get(); }

 private:
  // A read or write fault is one event when it begins and one when it ends, with how long it
  // lasted, not one per cycle. Times of day; negative: no fault going on.
  struct FaultSpell {
    double since = -1;
  };
  void Track(Controller& controller, FaultSpell& spell, bool fault, const char* what);

  LinkFactory factory_;
  std::unique_ptr<Link> link_;
  FaultSpell readFault_;
  FaultSpell writeFault_;
};

}  // namespace kavro
