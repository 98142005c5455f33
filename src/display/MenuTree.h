#pragma once
// The main window's menu bar as data: menus and items in order, with their control names,
// captions (with "&" before the access key) and what their check mark and enabled flag show.
// The window builds its menus from this and nothing else. The marks the menus keep themselves
// are in MenuState; the screen lock and the Control Mode menu show model facts.
#include <string>
#include <vector>

#include "model/Controller.h"

namespace kavro {

// The check marks and enabled flags the menus keep.
struct MenuState {
  bool mnuSaveModeChecked = false;  // File / save-mode item; unchecked at start
  bool mnuToDCSChecked = false;
  bool mnuToFileChecked = false;
  bool mnuSlopeChecked = false;
  bool mnuDebugLinkEnabled = true;
  bool mnuPreProcessExeChecked = false;
  bool mnuPostProcessExeChecked = false;
};

// What a check mark or enabled flag shows.
using MenuFlag = bool (*)(const Controller&);

struct MenuItem {
  std::string name;            // control name, e.g. "mnuSave"; empty for a separator
  std::string caption;         // e.g. "&Save"
  MenuFlag checked = nullptr;  // the item carries a check mark
  MenuFlag enabled = nullptr;  // always enabled when not given
  bool IsSeparator() const { return name.empty(); }
};

struct Menu {
  std::string name;
  std::string caption;
  bool hidden = false;  // not in the menu bar: a grid's pop-up menu
  MenuFlag enabled = nullptr;
  std::vector<MenuItem> items;
};

// The menus in the order of the menu bar (hidden pop-up menus included).
const std::vector<Menu>& MenuBar();

// The menu or item of that control name; nothing when there is none.
const Menu* FindMenu(const std::string& name);
const MenuItem* FindMenuItem(const std::string& name);

inline bool IsChecked(const Controller& c, const MenuItem& item) {
  return item.checked != nullptr && item.checked(c);
}
inline bool IsEnabled(const Controller& c, MenuFlag enabled) {
  return enabled == nullptr || enabled(c);
}

// To DCS and To File ticked as the output mode is.
void ShowModeChecks(Controller& controller);

// Slope Correction ticked as the controller's slope correction is.
void ShowSlopeCheck(Controller& controller);

// Save Preference ticked or not.
void ShowSaveModeCheck(Controller& controller, bool checked);

}  // namespace kavro
