#include "display/StatusRefresh.h"

#include <cmath>

#include "common/DateText.h"
#include "common/NumberText.h"
#include "display/GridValues.h"
#include "display/MenuTree.h"
#include "display/PenColours.h"
#include "display/RuleMark.h"
#include "display/StatusFrame.h"
#include "engine/ErrorCode.h"
#include "model/VariableLabel.h"

namespace kavro {

namespace {

constexpr int kActiveZonesShown = 3;
constexpr int kLightGrey = 7;  // what is off or says nothing: the link, a zone of degree 0
constexpr int kDarkGrey = 8;
// A script's hold beside the move-limit holds, in a colour of its own.
constexpr Colour kScriptHoldColour = Colour::FromRgb(128, 0, 128);

void RefreshLinkErrorLine(Controller& c) {
  LabelState& label = c.window.status->Label4;
  label.visible = false;
  const auto show = [&](const char* what) {
    label.caption = FormatDateTime(c.ports.clock->Now(), kScreenDateTime) + what;
    label.visible = true;  // the window keeps it right-aligned with the title label
  };
  if (c.model.LinkReadError) show(": OPC/DDE File Read Error");
  if (c.model.LinkWriteError) show(": OPC/DDE File Write Error");
}

// With the link off nothing is exchanged with the DCS, whatever the mode: the frame is grey and
// says so, rather than green as if control went out.
void RefreshStatusFrame(Controller& c) {
  const bool linkOn = c.model.Link.LinkStatus == kOn;
  StatusFrameState& frame = *c.window.status;
  if (c.model.ToFileMode) {
    frame.frameStatusCaption = "Status - To File";
    frame.frameStatusColour = PaletteColour(14);
  } else {
    frame.frameStatusCaption = "Status - To DCS";
    frame.frameStatusColour = PaletteColour(10);
  }
  if (!linkOn) {
    frame.frameStatusCaption += " - Link OFF";
    frame.frameStatusColour = PaletteColour(kLightGrey);
  }
}

// The code beside its meaning, so that a sum needs no list: "-91 = Output To FILE + ...".
void RefreshErrorMeaning(Controller& c) {
  const int16_t code = c.model.ErrorCodeValue;
  LabelState& label = c.window.status->lblErrorCode;
  label.caption = FormatNumber(code, "###0") + " = " + ErrorCodeMeaning(code);
  label.foreColour = PaletteColour(code == 0 || code == kToFileCode ? 1 : 12);
}

void RefreshControllerCells(Controller& c) {
  MainGrid& g = c.grid;
  const ControllerModel& m = c.model;
  // The DCS's switch is only known while the link reads it: with the link off the last value
  // read would be a stale "ON".
  const bool on = m.DCSOnOffValue == 1;
  if (m.Link.LinkStatus != kOn) {
    g.SetText(0, 0, "MASTER: Link OFF");
    g.At(0, 0).backColour = PaletteColour(kLightGrey);
  } else {
    g.SetText(0, 0, std::string("MASTER: ") + (on ? kOn : kOff));
    g.At(0, 0).backColour = on ? Colour::FromRgb(0, 200, 0) : Colour::FromRgb(230, 50, 50);
  }
  g.SetText(1, 0, "Freq: " + FormatNumber(m.FLCBlock.RunFrequency, "##0"));

  Cell& slope = g.At(grid::kRowHigh, grid::kColController);
  const bool slopeOn = c.window.menus->mnuSlopeChecked;
  slope.text = slopeOn ? "Slope - ON" : "Slope - OFF";
  slope.foreColour = PaletteColour(slopeOn ? 12 : 1);

  // -90 is To File mode: not an error of the controller.
  Cell& error = g.At(grid::kRowValue, grid::kColController);
  if (m.ErrorCodeValue == 0 || m.ErrorCodeValue == -90) {
    error.text = "No Error";
    error.foreColour = PaletteColour(1);
  } else {
    error.text = "Error = " + FormatNumber(m.ErrorCodeValue, "###0");
    error.foreColour = PaletteColour(12);
  }
  g.SetText(grid::kRowName, grid::kColController, m.FLCBlock.Name1);
}

// Zone z is active when MFPValue 1 < PVIN <= MFPValue 4; the first three go to rows 5..10.
void ShowActiveZones(MainGrid& g, int col, const ZoneTable& zones, float pvin) {
  for (int row = grid::ActiveZoneNameRow(1); row <= grid::ActiveZoneDegreeRow(kActiveZonesShown);
       ++row) {
    g.SetText(row, col, "");
  }
  int shown = 0;
  for (int z = 1; z <= NumZones && shown < kActiveZonesShown; ++z) {
    const MFZone& zone = zones[static_cast<std::size_t>(z)];
    if (!(zone.MFPValue[1] < pvin && pvin <= zone.MFPValue[4])) continue;
    ++shown;
    g.SetText(grid::ActiveZoneNameRow(shown), col, zone.MFName);
    g.SetText(grid::ActiveZoneDegreeRow(shown), col, FormatNumber(zone.MFDegree, "###0.000"));
    // A zone the value is in but with no membership takes no part in the rules: dimmed.
    const Colour ink = zone.MFDegree == 0 ? PaletteColour(kDarkGrey) : kBlack;
    g.SetForeColour(grid::ActiveZoneNameRow(shown), col, ink);
    g.SetForeColour(grid::ActiveZoneDegreeRow(shown), col, ink);
  }
}

template <typename Variable>
void RefreshVariableColumn(MainGrid& g, int col, const Variable& v) {
  g.SetText(grid::kRowName, col, v.PVarName);
  g.SetText(grid::kRowHigh, col, FormatNumber(v.PVHigh, "###0.000"));
  g.SetText(grid::kRowValue, col, FormatNumber(v.PVIN, "###0.000"));
  g.SetText(grid::kRowLow, col, FormatNumber(v.PVLow, "###0.000"));
  ShowActiveZones(g, col, v.Zone, v.PVIN);
}

void RefreshRuleRows(Controller& c) {
  ShowRulesInGrid(c.model, c.grid);  // operators and terms, as the rule records hold them
  for (int r = 1; r <= NumRules; ++r) {
    const Rule& rule = c.model.Rules[static_cast<std::size_t>(r)];
    const int row = grid::RuleRow(r);
    c.grid.SetText(row, grid::kColLabel, RuleLabel(r) + ": " + rule.Strength);
    c.grid.SetForeColour(
        row, grid::kColLabel,
        RuleStrengthColour(IsNotUsed(rule.Strength) ? 0.0 : ToNumber(rule.Strength)));
  }
}

// Minutes left of a hold: Wait_Change - count x RunFrequency / 60, to a whole minute.
std::string MinutesLeft(const PVarOutRecord& out, int16_t count, int16_t runFrequency) {
  const double minutes = static_cast<double>(out.Wait_Change) -
                         static_cast<double>(count) * runFrequency / 60.0;
  return FormatNumber(RoundHalfEven(minutes), "##0.0");
}

// The post-process script holds an output when it moved the rules' value this cycle back to the
// output's present value (ValueOut is the value to send for either output type).
bool ScriptHoldsOutput(const ControllerModel& m, const PVarOutRecord& out) {
  if (!m.Scripts.PostScriptOn || out.ScriptAdjust == 0 || !IsNumeric(out.ValueOut)) return false;
  // ValueOut has three decimals.
  return std::fabs(ToNumber(out.ValueOut) - static_cast<double>(out.PVIN)) < 0.0005;
}

void RefreshClampLabels(Controller& c) {
  const int16_t runFrequency = c.model.FLCBlock.RunFrequency;
  for (int k = 1; k <= NumOut; ++k) {
    const PVarOutRecord& out = c.model.PVarOut[static_cast<std::size_t>(k)];
    LabelState& label = c.window.status->lblClamp[static_cast<std::size_t>(k - 1)];
    label.visible = false;
    if (ScriptHoldsOutput(c.model, out)) {
      label.backColour = kScriptHoldColour;
      label.caption = "Script hold";
      label.visible = true;
    }
    if (out.ClampDecrease) {
      label.backColour = Colour::FromRgb(0, 0, 255);
      label.caption = "LOW-" + MinutesLeft(out, out.DecreaseCounter, runFrequency);
      label.visible = true;
    }
    if (out.ClampIncrease) {
      label.backColour = Colour::FromRgb(255, 0, 0);
      label.caption = "HIGH-" + MinutesLeft(out, out.IncreaseCounter, runFrequency);
      label.visible = true;
    }
  }
}

void RefreshIndexLabels(Controller& c) {
  for (int i = 1; i <= NumIn; ++i) {
    c.window.status->lblVarIndex[static_cast<std::size_t>(i - 1)].caption =
        c.model.DCSOnOffValue == 1
            ? FormatNumber(c.model.PVarIn[static_cast<std::size_t>(i)].VarIndex, "##0.00")
            : "N/A";
  }
}

// Row 6 of an output column shows what the post-process script added to ValueOut.
void RefreshScriptAdjustCells(Controller& c) {
  const bool postScriptOn = c.model.Scripts.PostScriptOn;
  for (int k = 1; k <= NumOut; ++k) {
    Cell& cell = c.grid.At(grid::ActiveZoneDegreeRow(1), grid::OutputColumn(k));
    cell.text.clear();
    const PVarOutRecord& out = c.model.PVarOut[static_cast<std::size_t>(k)];
    if (postScriptOn && !IsNotUsed(out.ValueOut)) {
      cell.text = FormatNumber(out.ScriptAdjust, "####0.000#");
      cell.foreColour = PenColor(8);
    }
  }
}

}  // namespace

void RefreshStatus(Controller& c) {
  RefreshLinkErrorLine(c);
  RefreshStatusFrame(c);
  RefreshControllerCells(c);
  RefreshErrorMeaning(c);
  c.strip.SetText(0, 1, c.model.DeFuzz[1]);
  for (int i = 1; i <= NumIn; ++i) {
    RefreshVariableColumn(c.grid, grid::InputColumn(i), c.model.PVarIn[static_cast<std::size_t>(i)]);
  }
  for (int k = 1; k <= NumOut; ++k) {
    const PVarOutRecord& out = c.model.PVarOut[static_cast<std::size_t>(k)];
    RefreshVariableColumn(c.grid, grid::OutputColumn(k), out);
    c.strip.SetText(0, grid::OutputColumn(k), out.ValueOut);
  }
  RefreshRuleRows(c);
  RefreshClampLabels(c);
  RefreshIndexLabels(c);
  RefreshScriptAdjustCells(c);
}

}  // namespace kavro
