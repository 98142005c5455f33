#pragma once
// What the controller settings panel (frameConfig2) shows when it opens: the model's settings in
// its boxes, their captions. The operator's typing into the boxes and their OK are edit/'s.
#include <array>

#include "edit/EditState.h"
#include "model/Controller.h"

namespace kavro {

// Label2: the caption beside each Text1 box, in the boxes' order.
inline constexpr std::array<const char*, ControllerSettingsPanel::kBoxes> kSettingsCaptions = {
    "OPC/DDE Name",   "Run Frequency",   "DCS Run Freq",  "DCS ON/OFF",
    "DCS WatchDog",   "DCS ErrorCode",   "Appl/Server",   "Appl2/Server2",
    "Topic/Computer", "Controller Name", "Link Frequency"};

// Fills Text1(0..10) from the model (the frequencies as "##0"), the history days the folder
// keeps, and shows the panel.
void ShowControllerSettings(const Controller& controller, ControllerSettingsPanel& panel);

// Closes the panel once its OK has stored it.
void HideControllerSettings(ControllerSettingsPanel& panel);

}  // namespace kavro
