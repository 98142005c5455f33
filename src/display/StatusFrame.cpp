#include "display/StatusFrame.h"

#include "common/DateText.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "display/MenuTree.h"
#include "model/Colour.h"
#include "model/LinkKind.h"

namespace kavro {
namespace {

constexpr int kLightGreen = 10;
constexpr int kLightRed = 12;

Colour OnOff(bool on) { return on ? PaletteColour(kLightGreen) : OffColour; }

// "<lead><date time>" once the moment came; until then the label keeps what it says.
void ShowStamp(std::string& label, const CycleStamp& stamp, const char* lead) {
  if (!stamp.happened) return;
  label.assign(lead);
  if (stamp.at) AppendDateTime(label, *stamp.at, kScreenDateTime);
}

}  // namespace

void ShowStatusFrame(Controller& controller) {
  const ControllerModel& m = controller.model;
  StatusFrameState& w = *controller.window.status;
  w.lblMode.caption = m.ToFileMode ? "To File" : "To DCS";
  w.lblMode.backColour = OnOff(!m.ToFileMode);
  const bool linkOn = m.Link.LinkStatus == kOn;
  w.lblLink.caption = linkOn ? "Link ON" : "Link OFF";
  w.lblLink.backColour = PaletteColour(linkOn ? kLightGreen : kLightRed);
  w.lblPreScript.backColour = OnOff(m.Scripts.PreScriptOn);
  w.lblPostScript.backColour = OnOff(m.Scripts.PostScriptOn);
  ShowDebugLinkItem(controller);
  MenuState& menus = *controller.window.menus;
  menus.mnuPreProcessExeChecked = m.Scripts.PreScriptOn;
  menus.mnuPostProcessExeChecked = m.Scripts.PostScriptOn;
}

void ShowDebugLinkItem(Controller& controller) {
  controller.window.menus->mnuDebugLinkEnabled = DebugLinkCanOpen(controller.model);
}

void ShowCaptions(Controller& controller) {
  const std::string& name = controller.model.FLCBlock.Name1;
  StatusFrameState& w = *controller.window.status;
  w.caption = name + ": Kavro";
  w.appTitle = "Kavro: " + TrimRight(name);
}

void ShowCycleTimes(Controller& controller) {
  const CycleTimes& times = controller.model.Times;
  std::array<std::string, 3>& label = controller.window.status->Label5;
  // Written into the captions' own buffers: a new text every cycle, the same length mostly.
  ShowStamp(label[0], times.lastRun, " Last Run:   ");
  if (times.lastRun.happened) {
    static const NumberPattern kWaitPattern("##0.0");
    label[0].append(";  Wait = ");
    AppendNumber(label[0], times.waitMs / 1000.0f, kWaitPattern);
    label[0].append("s");
  }
  ShowStamp(label[1], times.lastRead, " Read:        ");
  ShowStamp(label[2], times.lastWrite, " Write:        ");
}

void ShowNoCycleTimes(Controller& controller) {
  controller.window.status->Label5 = {"Last Run:", "Read:", "Write:"};
}

}  // namespace kavro
