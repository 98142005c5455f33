#include "engine/Defuzzify.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cmath>
#include <limits>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "engine/ZoneLookup.h"

namespace kavro {

namespace {

// The number rule evaluation read back from the strength text it wrote, while the rule's text
// is still that one; NaN otherwise (the text is then read afresh).
[[gnu::always_inline]] inline float RememberedStrength(const ControllerModel& model,
                                                      const EngineMemo& memo, int rule) {
  const StrengthMemo& strength = memo.strengths[rule];
  if (strength.filled && SameText(model.Rules[rule].Strength, strength.text)) {
    return strength.readBack;  // NaN when the text is no number
  }
  return std::numeric_limits<float>::quiet_NaN();
}

}  // namespace

float StrengthNumber(const ControllerModel& model, const EngineMemo& memo, int rule) {
  const float remembered = RememberedStrength(model, memo, rule);
  return std::isnan(remembered) ? ToSingle(model.Rules[rule].Strength) : remembered;
}

float StrengthNumber(const ControllerModel& model, int rule) {
  return ToSingle(model.Rules[rule].Strength);
}

namespace {

// The output's value from the sum of its contributing rules' strength x zone weight and their
// count, with the output type and limits applied.
float OutputValue(const PVarOutRecord& variable, float num, int count) {
  const bool incremental = variable.OutputType == kIncr;
  // Stored rule bases expect the average over the contributing rules, not over their strengths.
  float value = count > 0 ? num / static_cast<float>(count) : 0.0f;
  if (count == 0 && !incremental) value = variable.PVIN;  // nothing fired: hold the output
  if (incremental) value += variable.PVIN;
  // A limit applies only when the output has a DCS tag for it.
  if (value > variable.PVHigh && !IsAllSpaces(variable.DCSTagHigh)) value = variable.PVHigh;
  if (value < variable.PVLow && !IsAllSpaces(variable.DCSTagLow)) value = variable.PVLow;
  return value;
}

// One rule's share of an output's value: its strength at the zone's first point and weight.
struct Contributions {
  float num = 0.0f;
  int count = 0;
  void Add(float strength, const MFZone& zone) {
    num += strength * zone.MFPValue[1] * zone.MFValue[1];
    ++count;
  }
};

void SetValueOut(PVarOutRecord& output, const Contributions& rules) {
  output.ValueOut = FormatNumber(OutputValue(output, rules.num, rules.count), "####0.000");
  output.ValueDefuzzified = output.ValueOut;
}

// The same, remembering the number the text reads as for the steps after (move limits, the
// post-process script), which would otherwise read it back. A value the memo wrote its text
// for (bit for bit: -0 and 0 are not the same text) takes that text again without formatting:
// an output that holds, or whose rules repeat their strengths, repeats its value.
void SetValueOut(PVarOutRecord& output, const Contributions& rules, ValueOutMemo& memo) {
  static const NumberPattern kValuePattern("####0.000");
  const float value = OutputValue(output, rules.num, rules.count);
  if (memo.filled && std::bit_cast<uint32_t>(memo.written) == std::bit_cast<uint32_t>(value)) {
    output.ValueOut = memo.text;
    output.ValueDefuzzified = memo.text;
    return;
  }
  output.ValueOut.clear();
  const double read = AppendNumber(output.ValueOut, value, kValuePattern);
  output.ValueDefuzzified = output.ValueOut;
  memo.filled = false;
  if (std::isnan(read)) return;
  try {
    memo.value = SingleOfNumber(read);
  } catch (const KavroError&) {
    return;  // read afresh, it fails where it is read
  }
  memo.text = output.ValueOut;
  memo.written = value;
  memo.filled = true;
}

// Each rule's strength as rule evaluation left it, read once for all outputs: nothing for a
// "Not Used" rule, NaN where the text must be read in place (where reading it may fail, as it
// would at that rule and output).
struct RuleStrengths {
  RuleStrengths(const ControllerModel& model, const EngineMemo& memo) {
    for (int r = 1; r <= NumRules; ++r) {
      number[r] = RememberedStrength(model, memo, r);
      // A remembered number's text is the one rule evaluation wrote for it, never "Not Used".
      used[r] = !std::isnan(number[r]) || !IsNotUsed(model.Rules[r].Strength);
    }
  }
  std::array<bool, NumRules + 1> used{};
  std::array<float, NumRules + 1> number{};
};

// Output by output, rule by rule: a strength read from its text fails (Type mismatch) at the
// first output that uses the rule, after the outputs before it were set.
void DefuzzifyOutputByOutput(ControllerModel& model, const CompiledRules& rules,
                             EngineMemo& memo) {
  const RuleStrengths strengths(model, memo);
  for (int o = 1; o <= NumOut; ++o) {
    PVarOutRecord& output = model.PVarOut[o];
    Contributions contributions;
    for (int r = 1; r <= NumRules; ++r) {
      const int zone = rules[r].outputZone[o];
      if (zone == kOutputTermNotUsed || !strengths.used[r]) continue;
      float strength = strengths.number[r];
      if (std::isnan(strength)) strength = StrengthNumber(model, r);
      if (!(strength > 0.0f) || zone == kOutputTermNoZone) continue;
      contributions.Add(strength, output.Zone[zone]);
    }
    SetValueOut(output, contributions, memo.valuesOut[o]);
  }
}

}  // namespace

void Defuzzify(ControllerModel& model, const RuleTexts& texts, EngineMemo& memo) {
  const CompiledRules& rules = memo.ruleBase.Rules(model, texts);
  // While every strength is remembered none can fail, so one pass over the rules serves all
  // outputs: most rules do not fire and are passed over once, not once per output. Each output
  // still adds its rules' shares in rule order.
  std::array<Contributions, NumOut + 1> contributions{};
  for (int r = 1; r <= NumRules; ++r) {
    const float strength = RememberedStrength(model, memo, r);
    if (std::isnan(strength)) {
      if (IsNotUsed(model.Rules[r].Strength)) continue;
      DefuzzifyOutputByOutput(model, rules, memo);  // a text to read: it may fail
      return;
    }
    if (!(strength > 0.0f)) continue;
    for (int o = 1; o <= NumOut; ++o) {
      const int zone = rules[r].outputZone[o];
      if (zone > 0) contributions[o].Add(strength, model.PVarOut[o].Zone[zone]);
    }
  }
  for (int o = 1; o <= NumOut; ++o) {
    SetValueOut(model.PVarOut[o], contributions[o], memo.valuesOut[o]);
  }
}

void Defuzzify(ControllerModel& model, const RuleTexts& texts) {
  for (int o = 1; o <= NumOut; ++o) {
    PVarOutRecord& output = model.PVarOut[o];
    Contributions contributions;
    for (int r = 1; r <= NumRules; ++r) {
      const std::string& zoneName = texts.Term(r, NumIn + o);
      if (IsNotUsed(zoneName) || IsNotUsed(model.Rules[r].Strength)) continue;
      const float strength = StrengthNumber(model, r);
      if (!(strength > 0.0f)) continue;
      const int zone = FindZone(output.Zone, zoneName);
      if (zone == 0) continue;
      contributions.Add(strength, output.Zone[zone]);
    }
    SetValueOut(output, contributions);
  }
}

}  // namespace kavro
