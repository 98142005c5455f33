#include "engine/RuleFiring.h"

#include "common/NumberText.h"
#include "engine/ZoneLookup.h"

namespace kavro {

std::vector<FiringRow> RuleFiringRows(const ControllerModel& model, const RuleTexts& texts) {
  std::vector<FiringRow> rows;
  for (int r = 1; r <= NumRules; ++r) {
    FiringRow row;
    row.rule = r;
    row.operatorName = texts.Operator(r);
    for (int k = 1; k <= NumTerms; ++k) {
      const std::string& term = texts.Term(r, k);
      if (IsNotUsed(term)) continue;
      const TermVariable variable = VariableOfTerm(k);
      FiringTerm cell;
      cell.termSlot = k;
      cell.term = term;
      cell.zone = FindZone(ZonesOfTerm(model, k), term);
      if (variable.isInput) {
        const PVarInRecord& input = model.PVarIn[variable.slot];
        cell.presentValue = input.PVIN;
        if (cell.zone != 0) cell.degree = input.Zone[cell.zone].MFDegree;
        row.inputs.push_back(cell);
      } else {
        cell.presentValue = model.PVarOut[variable.slot].PVIN;
        row.outputs.push_back(cell);
      }
    }
    if (row.inputs.empty() && row.outputs.empty()) continue;
    const std::string& strength = model.Rules[r].Strength;
    row.used = IsNumeric(strength);
    row.strength = row.used ? ToSingle(strength) : 0.0f;
    row.fired = row.strength > 0.0f;
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace kavro
