#pragma once
// Defuzzification: each output's new value from the strengths of the rules that name one of its
// zones (in the main grid, or a copy's rule records: see RuleTexts), with the output type and limits applied; left as "####0.000" text.
#include "engine/EngineMemo.h"
#include "engine/RuleTexts.h"
#include "model/ControllerModel.h"

namespace kavro {

// The number a rule's Strength text stands for (the strength rounded to four decimals). A text
// that is not a number throws KavroError 13 "Type mismatch".
float StrengthNumber(const ControllerModel& model, const EngineMemo& memo, int rule);
float StrengthNumber(const ControllerModel& model, int rule);

// Sets ValueOut of outputs 1..NumOut, and ValueDefuzzified to the same text. With a memo the
// rules' output terms come from the compiled rule base (see CompiledRuleBase); without one they
// are looked up afresh, the plain defuzzification the compiled form is tested against.
void Defuzzify(ControllerModel& model, const RuleTexts& texts, EngineMemo& memo);
void Defuzzify(ControllerModel& model, const RuleTexts& texts);

}  // namespace kavro
