#include "session/MenuCommands.h"

#include "session/GuardedCall.h"
#include "session/SaveCommands.h"
#include "session/SmallCommands.h"
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
  RunGuarded(c, [&] { found->second(c); });
  return true;
}

}  // namespace kavro
