#pragma once
// The main window's menu bar as data: menus and items in order, with their control names,
// captions (with "&" before the access key) and where their check mark and enabled flag live in
// the window state. The window builds its menus from this and nothing else.
#include <string>
#include <vector>

#include "model/WindowState.h"

namespace kavro {

struct MenuItem {
  std::string name;     // control name, e.g. "mnuSave"; empty for a separator
  std::string caption;  // e.g. "&Save"
  bool WindowState::*checked = nullptr;  // the item carries a check mark
  bool WindowState::*enabled = nullptr;  // always enabled when not given
  bool IsSeparator() const { return name.empty(); }
};

struct Menu {
  std::string name;
  std::string caption;
  bool hidden = false;  // not in the menu bar: a grid's pop-up menu
  bool WindowState::*enabled = nullptr;
  std::vector<MenuItem> items;
};

// The menus in the order of the menu bar (hidden pop-up menus included).
const std::vector<Menu>& MenuBar();

// The menu or item of that control name; nothing when there is none.
const Menu* FindMenu(const std::string& name);
const MenuItem* FindMenuItem(const std::string& name);

inline bool IsChecked(const WindowState& w, const MenuItem& item) {
  return item.checked != nullptr && w.*item.checked;
}
inline bool IsEnabled(const WindowState& w, bool WindowState::*enabled) {
  return enabled == nullptr || w.*enabled;
}

}  // namespace kavro
