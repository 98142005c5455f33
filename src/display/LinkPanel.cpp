#include "display/LinkPanel.h"

#include <algorithm>
#include <cmath>

#include "common/DateText.h"
#include "display/RuleRowsSelector.h"

namespace kavro {
namespace {

// Today's date with the time of day of a link time (seconds since midnight), in the screen's
// one date form.
std::string LinkTimeText(const Controller& controller, double secondsOfDay) {
  DateTime when = controller.ports.clock->Now();
  const int seconds = std::clamp(static_cast<int>(std::floor(secondsOfDay)), 0, 86399);
  when.hour = seconds / 3600;
  when.minute = seconds / 60 % 60;
  when.second = seconds % 60;
  return FormatDateTime(when, kScreenDateTime);
}

}  // namespace

void RefreshLinkPanel(Controller& controller, const ActiveLink& link) {
  LinkPanelState& panel = *controller.window.Frame1;
  controller.window.ruleRows->cmbDisplayRulesVisible = !panel.visible;
  if (!panel.visible) return;
  panel.lines = link.PanelLines(controller, panel.chkTagsNotFound);
  const LinkState& state = controller.model.Link;
  panel.lblLastRead = "Last Read: " + LinkTimeText(controller, state.LastReadTime);
  panel.lblLastWrite = "Last Write: " + LinkTimeText(controller, state.LastWriteTime);
}

void OpenLinkPanel(Controller& controller, const ActiveLink& link) {
  controller.window.Frame1->visible = true;
  controller.window.Frame1->chkTagsNotFound = false;
  controller.model.Link.Watched = true;
  RefreshLinkPanel(controller, link);
}

void HideFrame1(Controller& controller) {
  LinkPanelState& panel = *controller.window.Frame1;
  if (!panel.visible) return;
  panel.visible = false;
  controller.model.Link.Watched = false;
  controller.window.ruleRows->cmbDisplayRulesVisible = true;
}

}  // namespace kavro
