#pragma once
// What the window's own controls show, as data: the core decides it, the Qt layer draws it.
// Each area of the window keeps its state in a type of the display/ module that shows it
// (display/StatusFrame, display/LinkPanel, display/RuleRowsSelector, display/CalcReportList,
// display/MenuTree, display/TrendState); the engine and the link leave their results in the
// model, and those modules turn them into what the controls show.
#include <string>

#include "model/Colour.h"
#include "model/Dimensions.h"
#include "model/WindowArea.h"

namespace kavro {

struct TrendState;

// The window's face colour: a label or frame drawn without a colour of its own.
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

struct StatusFrameState;
struct LinkPanelState;
struct RuleRowsState;
struct CalcReportState;
struct MenuState;

struct WindowState {
  bool minimised = false;  // the main window is minimised: the cycle skips its refresh

  WindowArea<StatusFrameState> status;     // captions and the status frame's labels
  WindowArea<LinkPanelState> Frame1;       // the link debug panel
  WindowArea<RuleRowsState> ruleRows;      // the rule-rows selector and the rows shown
  WindowArea<CalcReportState> calcReport;  // the calculation report list over the grid
  WindowArea<MenuState> menus;             // check marks and enabled flags kept by the menus

  // The trend area: each pen's name and scale labels, the plot and the span of history it
  // shows (display/TrendState.h).
  WindowArea<TrendState> trend;
};

}  // namespace kavro
