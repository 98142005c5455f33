#pragma once
// Rule evaluation: the firing strength of each of the 20 rules from the degrees of the input
// zones it names, combined with the rule's operator (see RuleTexts: the rule's row of the main
// grid, or a copy's rule record).
#include <array>
#include <span>

#include "engine/EngineMemo.h"
#include "engine/RuleTexts.h"
#include "model/ControllerModel.h"

namespace kavro {

// The six operator results over a rule's term degrees, indexed like OperatorNames (1 MIN,
// 2 MAX, 3 PROD, 4 BDIF, 5 ASUM, 6 BSUM); single precision throughout.
using OperatorResults = std::array<float, NumOperators + 1>;
OperatorResults CombineDegrees(std::span<const float> degrees);

// The slope correction of an input's term degrees: 0.5 when 0 < Slope1/Slope2 < 1, times 0.25
// when Slope2/PVIN < 1 (a zero divisor counts as a ratio of 0).
float SlopeCorrectionFactor(const PVarInRecord& input);

// Sets Strength of rules 1..20: the result of the rule's operator in texts, formatted "#0.0000", or "Not Used" when no input term names a zone or the operator text
// is none of OperatorNames. With a memo the rules are evaluated in their compiled form (see
// CompiledRuleBase); without one every text is looked up afresh, the plain evaluation the
// compiled form is tested against.
void EvaluateRules(ControllerModel& model, const RuleTexts& texts, EngineMemo& memo);
void EvaluateRules(ControllerModel& model, const RuleTexts& texts);

}  // namespace kavro
