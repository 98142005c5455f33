#pragma once
// What each menu item does: a table from control name to core command. The window looks an
// item up here when it is clicked; other parts of the controller add their commands (the link
// adds mnuLinkStatus and mnuLinkRestart) when app/ wires the program.
#include <functional>
#include <map>
#include <string>

#include "display/CalcReportList.h"
#include "model/Controller.h"
#include "session/CommandGate.h"

namespace kavro {

using MenuCommand = std::function<void(Controller&)>;
using MenuCommandTable = std::map<std::string, MenuCommand>;

// The commands of the window, save and mode menus; report gives the calculation report lines.
MenuCommandTable WindowMenuCommands(ReportLines report);

// Whether the menu item only looks (views, print, screen capture, help, copy) or changes what
// the cycle uses; an item not known to look changes, so a new command is kept out of the cycle
// until it is said to be safe there.
CommandKind CommandKindOf(const std::string& name);

// Runs the command of that menu item, if the table has one; returns whether it had one. A
// failure inside the command stops it and is shown to the operator with its number and
// description; what the command had already changed stays.
bool RunMenuCommand(Controller& controller, const MenuCommandTable& table,
                    const std::string& name);

}  // namespace kavro
