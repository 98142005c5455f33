#pragma once
// One link to the DCS, whatever carries it: the file link (a link client program exchanging
// files in WorkDir) or the OPC link. The kind is chosen once, when the operator switches the
// link on (see ActiveLink); the cycle and the commands then only speak to this interface, so a
// Program_Interface edited while the link is on changes nothing until the next switch-on.
#include <string>
#include <vector>

#include "model/LinkPanelLines.h"
#include "model/Controller.h"

namespace kavro {

class Link {
 public:
  virtual ~Link() = default;

  // Connects: problems are shown to the operator and leave the link OFF. On success LinkStatus
  // and LinkStatusSent read "ON" and the next cycle only writes. Returns whether it is ON.
  virtual bool SwitchOn(Controller& controller) = 0;
  // One read of the process values. Sets or clears LinkReadError; never throws for a link
  // failure.
  virtual void Read(Controller& controller) = 0;
  // One write of the outputs and the error code. Sets or clears LinkWriteError.
  virtual void Write(Controller& controller) = 0;
  // LinkStatus "OFF", the last word to the DCS, then LinkStatusSent "OFF".
  virtual void SwitchOff(Controller& controller) = 0;
  // Once per cycle after the write: keeps the far side alive (restarts an ended client).
  virtual void Supervise(Controller& controller) = 0;
  // What the link debug panel lists; with tagsNotFound only the tags the far side refused.
  virtual LinkPanelLines PanelLines(const Controller& controller, bool tagsNotFound) const = 0;
};

}  // namespace kavro
