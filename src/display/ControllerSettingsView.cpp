#include "display/ControllerSettingsView.h"

#include <string>

#include "edit/ControllerSettings.h"

namespace kavro {

void ShowControllerSettings(const Controller& controller, ControllerSettingsPanel& panel) {
  const ControllerModel& m = controller.model;
  const FLCBlockRecord& b = m.FLCBlock;
  panel.Text1 = {m.Program_Interface,
                 SettingsFrequencyText(b.RunFrequency),
                 b.DCSRunFreq,
                 b.DCSONOFF,
                 b.DCSWatchDog,
                 b.DCSErrorCode,
                 b.LinkAppl,
                 b.Link2Appl,
                 b.LinkTopicName,
                 b.Name1,
                 SettingsFrequencyText(b.LinkFrequency)};
  panel.loadedRunFrequency = b.RunFrequency;
  panel.historyDays = std::to_string(HistoryDaysKept(m));
  panel.visible = true;
}

void HideControllerSettings(ControllerSettingsPanel& panel) {
  panel.visible = false;
}

}  // namespace kavro
