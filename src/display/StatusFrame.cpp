#include "display/StatusFrame.h"

#include "model/Colour.h"
#include "model/LinkKind.h"

namespace kavro {
namespace {

constexpr int kLightGreen = 10;
constexpr int kLightRed = 12;

Colour OnOff(bool on) { return on ? PaletteColour(kLightGreen) : OffColour; }

}  // namespace

void ShowStatusFrame(Controller& controller) {
  const ControllerModel& m = controller.model;
  WindowState& w = controller.window;
  w.lblMode.caption = m.ToFileMode ? "To File" : "To DCS";
  w.lblMode.backColour = OnOff(!m.ToFileMode);
  const bool linkOn = m.Link.LinkStatus == kOn;
  w.lblLink.caption = linkOn ? "Link ON" : "Link OFF";
  w.lblLink.backColour = PaletteColour(linkOn ? kLightGreen : kLightRed);
  w.mnuDebugLinkEnabled = DebugLinkCanOpen(m);
  w.lblPreScript.backColour = OnOff(m.Scripts.PreScriptOn);
  w.lblPostScript.backColour = OnOff(m.Scripts.PostScriptOn);
  w.mnuPreProcessExeChecked = m.Scripts.PreScriptOn;
  w.mnuPostProcessExeChecked = m.Scripts.PostScriptOn;
}

}  // namespace kavro
