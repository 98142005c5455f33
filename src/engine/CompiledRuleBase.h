#pragma once
// The rule base in the form the cycle evaluates: each rule's input terms resolved to zone slots,
// its operator text to an operator slot, its output terms to zone slots. It is compiled from
// texts (zone names, the rules' input terms, the operator names, the rule rows' operator and
// output term cells) and compiled again whenever any of them changed: the model's texts tell it
// by their revision (RuleBaseText), the grid's rule cells by their stamp, so checking costs a
// few compares a cycle instead of reading some two hundred texts.
#include <array>
#include <cstdint>

#include "engine/RuleTexts.h"
#include "model/ControllerModel.h"

namespace kavro {

// What a rule's output term asks of defuzzification.
inline constexpr int8_t kOutputTermNotUsed = -1;  // "Not Used": the rule is passed over
inline constexpr int8_t kOutputTermNoZone = 0;    // names no zone: the strength is read, no more

struct CompiledRule {
  // The input zones the rule's terms name, in input order; terms naming no zone are left out.
  struct InputTerm {
    uint8_t input = 0;  // 1..NumIn
    uint8_t zone = 0;   // 1..NumZones
    // That zone's MFDegree in the model the rules were compiled from (a compiled rule base is
    // used with that model only), so the cycle reads the degree without working out where.
    const float* degree = nullptr;
  };
  std::array<InputTerm, NumIn> terms{};
  uint8_t termCount = 0;
  // The degrees of terms 0..termCount - 1, then a degree that leaves the operator's result as
  // it is (see NeutralDegree), so that the operator takes all NumIn slots in a loop of fixed
  // length. Null when the operator has none.
  std::array<const float*, NumIn> paddedDegrees{};
  // The operator slot (1..NumOperators); 0 when no term names a zone or the text is no operator:
  // then the rule is "Not Used".
  uint8_t op = 0;
  // Per output (1..NumOut): its zone slot, kOutputTermNoZone or kOutputTermNotUsed.
  std::array<int8_t, NumOut + 1> outputZone{};
};

// A degree that leaves the result of operator op as it is, wherever it stands among the
// terms' degrees: the operator's own starting value (MIN 10000, MAX -10000, PROD 1, BDIF and
// BSUM 0, which a sum that starts at +0 never changes; a bounded difference still counts only
// the real terms). Null for an operator without one (ASUM, which both adds and multiplies).
const float* NeutralDegree(int op);

using CompiledRules = std::array<CompiledRule, NumRules + 1>;  // slots 1..NumRules

// The rules as the texts of model and rule texts say now.
CompiledRules CompileRules(const ControllerModel& model, const RuleTexts& texts);

// A compiled rule base kept between cycles.
class CompiledRuleBase {
 public:
  // The rules of model and texts, compiled again first when a text they come from changed (or
  // they are another model's).
  const CompiledRules& Rules(const ControllerModel& model, const RuleTexts& texts) {
    if (!IsCurrent(model, texts)) Compile(model, texts);
    return rules_;
  }
  // How often the rules were compiled, for tests that prove the work is not redone.
  long Compilations() const { return compilations_; }

 private:
  bool IsCurrent(const ControllerModel& model, const RuleTexts& texts) const;
  void Compile(const ControllerModel& model, const RuleTexts& texts);

  const ControllerModel* model_ = nullptr;
  uint64_t textRevision_ = 0;
  CellsStamp ruleCells_{};
  CompiledRules rules_{};
  long compilations_ = 0;
};

}  // namespace kavro
