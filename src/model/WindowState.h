#pragma once
// What the window's own controls show, as data: the core decides it, the Qt layer draws it.
// Each area of the window adds its fields here as it is built.
#include <array>
#include <string>

namespace kavro {

struct WindowState {
  // Menus.
  bool mnuSaveModeChecked = false;   // File / save-mode item; unchecked at start
  bool mnuControlModeEnabled = false;
  bool mnuScreenLockChecked = false;

  // Label5(0..2): last run, last read, last write.
  std::array<std::string, 3> Label5;

  bool minimised = false;  // the main window is minimised: the cycle skips its refresh
};

}  // namespace kavro
