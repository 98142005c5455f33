#pragma once
// Which link a configuration selects: the two OPC link kinds are named by Program_Interface;
// any other name is a link client program exchanging files.
#include <string_view>

#include "model/ControllerModel.h"

namespace kavro {

// True when Program_Interface, without trailing blanks and in any case, is "VELDTBRG" or
// "VELDTSRV".
bool SelectsOpcLink(std::string_view programInterface);

// Whether Debug Link (mnuDebugLink) can be opened: while the link is on, whichever its kind, for
// the panel lists what that link reads and writes; while it is off, only for a configuration
// that selects the OPC link (the panel's first purpose: the tags an OPC server refused).
// Whatever shows the menu asks this, so that no two places can disagree.
bool DebugLinkCanOpen(const ControllerModel& model);

}  // namespace kavro
