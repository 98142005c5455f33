#pragma once
// What the window's own controls show, as data: the core decides it, the Qt layer draws it.
// Each area of the window adds its fields here as it is built.
#include <array>
#include <string>
#include <vector>

#include "model/Colour.h"
#include "model/Dimensions.h"
#include "model/LinkPanelLines.h"
#include "model/AreaState.h"

namespace kavro {

struct TrendState;

// The window's own face colour: a label or frame drawn without a colour of its own.
inline constexpr Colour kFaceColour = Colour::FromRgb(240, 240, 240);

// A label of the main window: its caption, colours, weight and whether it is shown. A label on
// kFaceColour has no colour of its own: the window shows through.
struct LabelState {
  std::string caption;
  Colour backColour = kFaceColour;
  Colour foreColour = kBlack;
  bool visible = true;
  bool bold = false;
};

// The link error line Label4: dark red, bold, over the window's face.
inline constexpr Colour kLinkErrorColour = Colour::FromRgb(0xC0, 0x00, 0x00);

// The link debug panel Frame1 "LinkDebug": while visible it covers the rule selector.
struct LinkPanelState {
  bool visible = false;
  bool chkTagsNotFound = false;  // list only the tags the far side refused
  LinkPanelLines lines;
  std::string lblLastRead = "Last Read:";
  std::string lblLastWrite = "Last Write:";
};

struct WindowState {
  // Menus.
  bool mnuSaveModeChecked = false;   // File / save-mode item; unchecked at start
  bool mnuControlModeEnabled = false;
  bool mnuScreenLockChecked = false;

  // Label5(0..2): last run, last read, last write.
  std::array<std::string, 3> Label5;

  bool minimised = false;  // the main window is minimised: the cycle skips its refresh

  // --- The operator window (start-up, main display, status refresh, small commands) ---
  std::string caption;   // FLControl's title: Name1 + ": Kavro"
  std::string appTitle;  // the task bar's title: "Kavro: " + Name1
  LabelState Label3;     // title label
  LabelState Label4{"Read File Error", kFaceColour, kLinkErrorColour, false, true};  // link error
  std::string frameStatusCaption = "Status";
  Colour frameStatusColour = kFaceColour;
  LabelState lblMode;
  LabelState lblLink;  // link state: start-up sets "Link OFF"; the link commands change it
  LabelState lblErrorCode{"0 = No Error"};  // the error code sent, with its meaning
  LabelState lblPreScript{"PreScript"};
  LabelState lblPostScript{"PostScript"};
  // Index k - 1 for output k: white bold text on the colour of the clamp.
  std::array<LabelState, NumOut> lblClamp{{{"", kFaceColour, kWhite, false, true},
                                           {"", kFaceColour, kWhite, false, true}}};
  std::array<LabelState, NumIn> lblVarIndex{};  // index i - 1 for input i
  // The trend area: its scale labels, the plot and the span it shows (display/TrendState.h).
  AreaState<TrendState> trend;
  // Rule-rows selector and how many rows of the main grid are visible without scrolling.
  std::vector<std::string> cmbDisplayRules;
  std::string cmbDisplayRulesText;
  int RuleRowsShown = 32;
  bool cmbDisplayRulesVisible = true;
  LinkPanelState Frame1;
  // Calculation report list shown over the main grid.
  bool lstDebugVisible = false;
  std::vector<std::string> lstDebug;
  // Check marks and enabled flags of menu items not listed above.
  bool mnuToDCSChecked = false;
  bool mnuToFileChecked = false;
  bool mnuSlopeChecked = false;
  bool mnuDebugLinkEnabled = true;
  bool mnuPreProcessExeChecked = false;
  bool mnuPostProcessExeChecked = false;
  bool exitRequested = false;  // File / Exit was confirmed: the program ends now
};

}  // namespace kavro
