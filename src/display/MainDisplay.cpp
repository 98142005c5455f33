#include "display/MainDisplay.h"

#include "common/NumberText.h"
#include "display/PenColours.h"
#include "display/StatusFrame.h"
#include "display/StatusRefresh.h"
#include "display/TrendPlot.h"

namespace kavro {

namespace {

constexpr Colour kInputNameBack = Colour::FromRgb(255, 255, 150);
constexpr Colour kOutputNameBack = Colour::FromRgb(255, 200, 200);
constexpr Colour kConfigFore = Colour::FromRgb(0, 0, 200);
constexpr Colour kConfigBack = Colour::FromRgb(210, 210, 255);

void ShowVariableHeading(MainGrid& g, int col, int pen, Colour nameBack) {
  Cell& name = g.At(grid::kRowName, col);
  name.foreColour = PenColor(pen);
  name.backColour = nameBack;
  Cell& config = g.At(grid::kRowConfig, col);
  config.text = "Config";
  config.foreColour = kConfigFore;
  config.backColour = kConfigBack;
}

void ShowFixedTexts(Controller& c) {
  MainGrid& g = c.grid;
  g.SetText(grid::kRowHigh, grid::kColLabel, "High Target");
  g.SetText(grid::kRowValue, grid::kColLabel, "PValue");
  g.SetText(grid::kRowLow, grid::kColLabel, "Low Target");
  for (int n = 1; n <= 3; ++n) {
    g.SetText(grid::ActiveZoneNameRow(n), grid::kColLabel, "Active Zone " + FormatNumber(n, "0"));
    g.SetText(grid::ActiveZoneNameRow(n), grid::kColController, "Name");
    g.SetText(grid::ActiveZoneDegreeRow(n), grid::kColController, "MF Value");
  }
  g.SetText(grid::kRowRulesHeader, grid::kColLabel, "Rules:RValue");
  for (int r = 1; r <= NumRules; ++r) {
    g.SetText(grid::RuleRow(r), grid::kColLabel, "R " + FormatNumber(r, "0"));
  }
  c.strip.SetText(0, 0, "Output");
  g.SetText(grid::kRowConfig, grid::kColController, "Kavro:Config");
  for (int i = 1; i <= NumIn; ++i) {
    ShowVariableHeading(g, grid::InputColumn(i), InputPen(i), kInputNameBack);
  }
  for (int k = 1; k <= NumOut; ++k) {
    ShowVariableHeading(g, grid::OutputColumn(k), OutputPen(k), kOutputNameBack);
  }
  g.SetText(grid::kRowHigh, grid::kColController, "Slope");
  g.SetText(grid::kRowValue, grid::kColController, "Error");
}

}  // namespace

void BuildMainDisplay(Controller& c) {
  c.window.status->Label3.caption = "Kavro: Fuzzy Logic Controller: " + c.model.FLCBlock.Name1;
  ShowTrendCaptions(c);
  ShowFixedTexts(c);
  RefreshStatus(c);
}

}  // namespace kavro
