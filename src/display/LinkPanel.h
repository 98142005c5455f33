#pragma once
// The link debug panel Frame1: what the link that is on lists about itself, refreshed every cycle
// while the panel is visible (at the run frequency, not the link's), for the OPC link and the
// file link alike.
#include <string>

#include "link/ActiveLink.h"
#include "model/Controller.h"
#include "model/LinkPanelLines.h"

namespace kavro {

// Frame1 "LinkDebug": while visible it covers the rule selector.
struct LinkPanelState {
  bool visible = false;
  bool chkTagsNotFound = false;  // list only the tags the far side refused
  LinkPanelLines lines;
  std::string lblLastRead = "Last Read:";
  std::string lblLastWrite = "Last Write:";
};

// Fills the panel from the link; a hidden panel only gives the rule selector back its place.
// The last read and write labels show LastReadTime and LastWriteTime on today's date as
// "mmm-dd-yyyy hh:mm:ss".
void RefreshLinkPanel(Controller& controller, const ActiveLink& link);

// mnuDebugLink: shows the panel with "Tags Not Found" unticked, filled at once; from now on the
// link keeps its messages for it.
void OpenLinkPanel(Controller& controller, const ActiveLink& link);

// cmdHide: hides the panel when it is visible; the rule selector shows again.
void HideFrame1(Controller& controller);

}  // namespace kavro
