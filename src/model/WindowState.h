#pragma once
// What the window's own controls show, as data: the core decides it, the Qt layer draws it.
namespace kavro {

struct WindowState {
  bool mnuSaveModeChecked = false;  // File / save-mode item; unchecked at start
};

}  // namespace kavro
