#include "session/MenuCommands.h"

#include <exception>

#include "session/SaveCommands.h"
#include "session/SmallCommands.h"
#include "engine/FailureText.h"
#include "session/ModeCommands.h"
#include "session/Shutdown.h"

namespace kavro {

MenuCommandTable WindowMenuCommands(ReportLines report) {
  return {
      {"mnuSave", mnuSave},
      {"mnuExit", mnuExit_Click},
      {"mnuToDCS", mnuToDCS},
      {"mnuToFile", mnuToFile},
      {"mnuSaveMode", mnuSaveMode},
      {"mnuSlope", mnuSlope},
      {"mnuDebugCalc", [report](Controller& c) { mnuDebugCalc(c, report); }},
      {"mnuScreenLock", mnuScreenLock},
      {"mnuErrorCodes", mnuErrorCodes},
      {"mnuAbout", mnuAbout},
  };
}

bool RunMenuCommand(Controller& c, const MenuCommandTable& table, const std::string& name) {
  const auto found = table.find(name);
  if (found == table.end() || !found->second) return false;
  try {
    found->second(c);
  } catch (const std::exception& e) {
    c.ports.op->MessageBox(FailureText(e), c.model.ProductName, MsgIcon::Critical,
                           MsgButtons::OK);
  }
  return true;
}

}  // namespace kavro
