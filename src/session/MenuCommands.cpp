#include "session/MenuCommands.h"

#include <set>

#include "edit/CopyGrid.h"
#include "session/GuardedCall.h"
#include "session/PrintCommands.h"
#include "session/SaveCommands.h"
#include "session/SmallCommands.h"
#include "session/ModeCommands.h"
#include "session/Shutdown.h"
#include "session/TrendCommands.h"

namespace kavro {

MenuCommandTable WindowMenuCommands(ReportLines report) {
  return {
      {"mnuPrintSetup", mnuPrintSetup},
      {"mnuPrintScreen", mnuPrintScreen},
      {"mnuPrintFile", SaveScreenImage},
      {"mnuExportTrend", mnuExportTrend},
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
      {"mnuCopy", [](Controller& c) { CopyGrid(c, c.grid); }},
  };
}

CommandKind CommandKindOf(const std::string& name) {
  static const std::set<std::string> looks = {
      "mnuPrintSetup", "mnuPrintScreen", "mnuPrintFile",  "mnuExportTrend",
      "mnuDebugCalc",  "mnuErrorCodes",  "mnuAbout",      "mnuCopy",
      "mnuCopy3",      "mnuRuleFiring",  "mnuControlSurface", "mnuDebugLink",
      "cmdHide",       "mnuPreProcess",  "mnuPostProcess",
  };
  return looks.count(name) ? CommandKind::Looks : CommandKind::Changes;
}

bool RunMenuCommand(Controller& c, const MenuCommandTable& table, const std::string& name) {
  const auto found = table.find(name);
  if (found == table.end() || !found->second) return false;
  RunGuarded(c, [&] { found->second(c); });
  return true;
}

}  // namespace kavro
