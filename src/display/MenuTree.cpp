#include "display/MenuTree.h"

namespace kavro {

namespace {

MenuItem Item(std::string name, std::string caption, MenuFlag checked = nullptr,
              MenuFlag enabled = nullptr) {
  return MenuItem{std::move(name), std::move(caption), checked, enabled};
}
MenuItem Separator() { return MenuItem{}; }

// A mark the menus keep themselves.
template <bool MenuState::*mark>
bool Kept(const Controller& c) {
  return (*c.window.menus).*mark;
}

bool ScreenLocked(const Controller& c) {
  return c.model.ScreenLocked;
}
bool CycleHasRun(const Controller& c) {
  return c.model.CycleHasRun;
}

std::vector<Menu> BuildMenuBar() {
  using M = MenuState;
  return {
      {"mnuFile", "&File", false, nullptr,
       {Item("mnuPrintSetup", "&Printer Setup"), Item("mnuPrintScreen", "Pri&nt Screen"),
        Item("mnuPrintFile", "Print To &File"), Item("mnuExportTrend", "Export &Trend..."),
        Separator(), Item("mnuSave", "&Save"),
        Separator(), Item("mnuExit", "&Exit")}},
      {"mnuEdit", "&Edit", true, nullptr, {Item("mnuCopy", "&Copy")}},
      {"mnuEdit3", "E&dit3", true, nullptr, {Item("mnuCopy3", "&Copy3")}},
      {"mnuLink", "Lin&k", false, nullptr,
       {Item("mnuLinkStatus", "Link &Status"), Separator(),
        Item("mnuLinkRestart", "Link &Restart")}},
      {"mnuControlMode", "&Control Mode", false, &CycleHasRun,
       {Item("mnuToDCS", "To &DCS", &Kept<&M::mnuToDCSChecked>),
        Item("mnuToFile", "To &File", &Kept<&M::mnuToFileChecked>), Separator(),
        Item("mnuSaveMode", "Save &Preference", &Kept<&M::mnuSaveModeChecked>)}},
      {"mnuScript", "&Script", false, nullptr,
       {Item("mnuPreProcess", "P&reProcess Text"),
        Item("mnuPreProcessExe", "PreProcess E&xecute", &Kept<&M::mnuPreProcessExeChecked>),
        Item("mnuPostProcess", "P&ostProcess Text"),
        Item("mnuPostProcessExe", "PostProcess Exec&ute", &Kept<&M::mnuPostProcessExeChecked>)}},
      {"mnuCalc", "C&alc", false, nullptr,
       {Item("mnuSlope", "&Slope Correction", &Kept<&M::mnuSlopeChecked>), Separator(),
        Item("mnuRuleFiring", "Rule &Firing"), Item("mnuControlSurface", "Control Su&rface"),
        Item("mnuTrendHistory", "Trend &History")}},
      {"mnuDebug", "&Debug", false, nullptr,
       {Item("mnuDebugCalc", "Debug &Calcs"), Separator(),
        Item("mnuDebugLink", "Debug &Link", nullptr, &Kept<&M::mnuDebugLinkEnabled>)}},
      {"mnuScreen", "Scree&n Lock", false, nullptr,
       {Item("mnuScreenLock", "&Locked", &ScreenLocked)}},
      {"mnuHelp", "&Help", false, nullptr,
       {Item("mnuErrorCodes", "&Error Codes"), Separator(), Item("mnuAbout", "&About")}},
  };
}

}  // namespace

const std::vector<Menu>& MenuBar() {
  static const std::vector<Menu> kMenuBar = BuildMenuBar();
  return kMenuBar;
}

const Menu* FindMenu(const std::string& name) {
  for (const Menu& menu : MenuBar()) {
    if (menu.name == name) return &menu;
  }
  return nullptr;
}

const MenuItem* FindMenuItem(const std::string& name) {
  if (name.empty()) return nullptr;
  for (const Menu& menu : MenuBar()) {
    for (const MenuItem& item : menu.items) {
      if (item.name == name) return &item;
    }
  }
  return nullptr;
}

void ShowModeChecks(Controller& c) {
  MenuState& menus = *c.window.menus;
  menus.mnuToDCSChecked = !c.model.ToFileMode;
  menus.mnuToFileChecked = c.model.ToFileMode;
}

void ShowSlopeCheck(Controller& c) { c.window.menus->mnuSlopeChecked = c.model.FLCBlock.SlopeCorr; }

void ShowSaveModeCheck(Controller& c, bool checked) { c.window.menus->mnuSaveModeChecked = checked; }

}  // namespace kavro
