#include "engine/Defuzzify.h"

#include <cmath>

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "engine/ZoneLookup.h"

namespace kavro {

float StrengthNumber(const ControllerModel& model, int rule) {
  const std::string& text = model.Rules[rule].Strength;
  const StrengthMemo& memo = model.Memo.strengths[rule];
  // Rule evaluation has usually just read this very text back; anything else is read afresh.
  if (memo.filled && !std::isnan(memo.readBack) && SameText(text, memo.text)) return memo.readBack;
  return ToSingle(text);
}

namespace {

float DefuzzifiedValue(const ControllerModel& model, const MainGrid& grid, int output) {
  const PVarOutRecord& variable = model.PVarOut[output];
  const int column = grid::OutputColumn(output);
  float num = 0.0f;
  int count = 0;
  for (int r = 1; r <= NumRules; ++r) {
    const std::string& zoneName = grid.RowCells(grid::RuleRow(r))[column].text;
    if (IsNotUsed(zoneName) || IsNotUsed(model.Rules[r].Strength)) {
      continue;
    }
    const float strength = StrengthNumber(model, r);
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

void Defuzzify(ControllerModel& model, const MainGrid& grid) {
  for (int o = 1; o <= NumOut; ++o) {
    model.PVarOut[o].ValueOut = FormatNumber(DefuzzifiedValue(model, grid, o), "####0.000");
  }
}

}  // namespace kavro
