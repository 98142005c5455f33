#include "engine/CompiledRuleBase.h"

#include "engine/ZoneLookup.h"

namespace kavro {

CompiledRules CompileRules(const ControllerModel& model, const MainGrid& grid) {
  CompiledRules rules{};
  for (int r = 1; r <= NumRules; ++r) {
    CompiledRule& rule = rules[r];
    const Cell* row = grid.RowCells(grid::RuleRow(r));
    for (int i = 1; i <= NumIn; ++i) {
      const RuleBaseText& term = model.Rules[r].Term[i];
      if (IsNotUsed(term)) continue;
      const int zone = FindZone(model.PVarIn[i].Zone, term);
      if (zone == 0) continue;  // a term naming no zone is not counted
      rule.terms[rule.termCount++] = {static_cast<uint8_t>(i), static_cast<uint8_t>(zone),
                                      &model.PVarIn[i].Zone[zone].MFDegree};
    }
    if (rule.termCount > 0) {
      rule.op = static_cast<uint8_t>(OperatorSlot(model, row[grid::kColController].text));
    }
    for (int o = 1; o <= NumOut; ++o) {
      const std::string& term = row[grid::OutputColumn(o)].text;
      rule.outputZone[o] = IsNotUsed(term)
                               ? kOutputTermNotUsed
                               : static_cast<int8_t>(FindZone(model.PVarOut[o].Zone, term));
    }
  }
  return rules;
}

bool CompiledRuleBase::IsCurrent(const ControllerModel& model, const MainGrid& grid) const {
  return model_ == &model && textRevision_ == RuleBaseTextRevision() &&
         ruleCells_ == RuleRowsStamp(grid);
}

void CompiledRuleBase::Compile(const ControllerModel& model, const MainGrid& grid) {
  rules_ = CompileRules(model, grid);
  model_ = &model;
  textRevision_ = RuleBaseTextRevision();
  ruleCells_ = RuleRowsStamp(grid);
  ++compilations_;
}

}  // namespace kavro
