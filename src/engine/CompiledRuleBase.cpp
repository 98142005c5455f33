#include "engine/CompiledRuleBase.h"

#include "engine/ZoneLookup.h"

namespace kavro {

const float* NeutralDegree(int op) {
  static constexpr std::array<float, NumOperators + 1> kNeutral = {
      0.0f, 10000.0f, -10000.0f, 1.0f, 0.0f, 0.0f, 0.0f};
  constexpr int kAsum = 5;
  if (op < 1 || op > NumOperators || op == kAsum) return nullptr;
  return &kNeutral[static_cast<size_t>(op)];
}

CompiledRules CompileRules(const ControllerModel& model, const RuleTexts& texts) {
  CompiledRules rules{};
  for (int r = 1; r <= NumRules; ++r) {
    CompiledRule& rule = rules[r];
    for (int i = 1; i <= NumIn; ++i) {
      const RuleBaseText& term = model.Rules[r].Term[i];
      if (IsNotUsed(term)) continue;
      const int zone = FindZone(model.PVarIn[i].Zone, term);
      if (zone == 0) continue;  // a term naming no zone is not counted
      rule.terms[rule.termCount++] = {static_cast<uint8_t>(i), static_cast<uint8_t>(zone),
                                      &model.PVarIn[i].Zone[zone].MFDegree};
    }
    if (rule.termCount > 0) {
      rule.op = static_cast<uint8_t>(OperatorSlot(model, texts.Operator(r)));
    }
    if (const float* neutral = NeutralDegree(rule.op)) {
      for (size_t t = 0; t < NumIn; ++t) {
        rule.paddedDegrees[t] = t < rule.termCount ? rule.terms[t].degree : neutral;
      }
    }
    for (int o = 1; o <= NumOut; ++o) {
      const std::string& term = texts.Term(r, NumIn + o);
      rule.outputZone[o] = IsNotUsed(term)
                               ? kOutputTermNotUsed
                               : static_cast<int8_t>(FindZone(model.PVarOut[o].Zone, term));
    }
  }
  return rules;
}

bool CompiledRuleBase::IsCurrent(const ControllerModel& model, const RuleTexts& texts) const {
  return model_ == &model && textRevision_ == RuleBaseTextRevision() &&
         ruleCells_ == texts.Stamp();
}

void CompiledRuleBase::Compile(const ControllerModel& model, const RuleTexts& texts) {
  rules_ = CompileRules(model, texts);
  model_ = &model;
  textRevision_ = RuleBaseTextRevision();
  ruleCells_ = texts.Stamp();
  ++compilations_;
}

}  // namespace kavro
