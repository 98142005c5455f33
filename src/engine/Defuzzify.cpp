#include "engine/Defuzzify.h"

#include <cmath>

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "engine/ZoneLookup.h"

namespace kavro {

float StrengthNumber(const ControllerModel& model, const EngineMemo& memo, int rule) {
  const std::string& text = model.Rules[rule].Strength;
  const StrengthMemo& strength = memo.strengths[rule];
  // Rule evaluation has usually just read this very text back; anything else is read afresh.
  if (strength.filled && !std::isnan(strength.readBack) && SameText(text, strength.text)) {
    return strength.readBack;
  }
  return ToSingle(text);
}

float StrengthNumber(const ControllerModel& model, int rule) {
  return ToSingle(model.Rules[rule].Strength);
}

namespace {

float DefuzzifiedValue(const ControllerModel& model, const MainGrid& grid, const EngineMemo& memo,
                       int output) {
  const PVarOutRecord& variable = model.PVarOut[output];
  const int column = grid::OutputColumn(output);
  float num = 0.0f;
  int count = 0;
  for (int r = 1; r <= NumRules; ++r) {
    const std::string& zoneName = grid.RowCells(grid::RuleRow(r))[column].text;
    if (IsNotUsed(zoneName) || IsNotUsed(model.Rules[r].Strength)) {
      continue;
    }
    const float strength = StrengthNumber(model, memo, r);
    if (!(strength > 0.0f)) continue;
    const int zone = FindZone(variable.Zone, zoneName);
    if (zone == 0) continue;
    num += strength * variable.Zone[zone].MFPValue[1] * variable.Zone[zone].MFValue[1];
    ++count;
  }
  const bool incremental = variable.OutputType == kIncr;
  // Stored rule bases expect the average over the contributing rules, not over their strengths.
  float value = count > 0 ? num / static_cast<float>(count) : 0.0f;
  if (count == 0 && !incremental) value = variable.PVIN;  // nothing fired: hold the output
  if (incremental) value += variable.PVIN;
  // A limit applies only when the output has a DCS tag for it.
  if (!IsAllSpaces(variable.DCSTagHigh) && value > variable.PVHigh) value = variable.PVHigh;
  if (!IsAllSpaces(variable.DCSTagLow) && value < variable.PVLow) value = variable.PVLow;
  return value;
}

}  // namespace

void Defuzzify(ControllerModel& model, const MainGrid& grid, const EngineMemo& memo) {
  for (int o = 1; o <= NumOut; ++o) {
    PVarOutRecord& output = model.PVarOut[o];
    output.ValueOut = FormatNumber(DefuzzifiedValue(model, grid, memo, o), "####0.000");
    output.ValueDefuzzified = output.ValueOut;
  }
}

void Defuzzify(ControllerModel& model, const MainGrid& grid) {
  const EngineMemo fresh;
  Defuzzify(model, grid, fresh);
}

}  // namespace kavro
