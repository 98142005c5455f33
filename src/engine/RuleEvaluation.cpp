#include "engine/RuleEvaluation.h"

#include <algorithm>
#include <limits>

#include "common/NumberText.h"
#include "engine/ZoneLookup.h"

namespace kavro {

OperatorResults CombineDegrees(std::span<const float> degrees) {
  float minimum = 10000.0f;
  float maximum = -10000.0f;
  float product = 1.0f;
  float sum = 0.0f;
  for (const float d : degrees) {
    if (minimum > d) minimum = d;
    if (maximum < d) maximum = d;
    product *= d;
    sum += d;
  }
  const auto n = static_cast<float>(degrees.size());
  OperatorResults results{};
  results[1] = minimum;
  results[2] = maximum;
  results[3] = product;
  // Stored rule bases were tuned with this bounded difference (sum - n - 1, so 0 for degrees
  // within 0..1); it is kept as it is.
  results[4] = std::max(sum - n - 1.0f, 0.0f);
  results[5] = std::min(sum - product, 1.0f);
  results[6] = std::min(sum, 1.0f);
  return results;
}

float SlopeCorrectionFactor(const PVarInRecord& input) {
  const float a = input.Slope[2] != 0.0f ? input.Slope[1] / input.Slope[2] : 0.0f;
  const float b = input.PVIN != 0.0f ? input.Slope[2] / input.PVIN : 0.0f;
  float factor = 1.0f;
  if (a > 0.0f && a < 1.0f) factor = 0.5f;
  if (b < 1.0f) factor *= 0.25f;
  return factor;
}

namespace {

// Writes a strength as its "#0.0000" text; a strength equal to the rule's last one reuses that
// text, since most rules repeat theirs (0 for rules that do not fire) from cycle to cycle.
void SetStrength(Rule& rule, StrengthMemo& memo, float value) {
  if (!memo.filled || memo.value != value) {
    memo.text = FormatNumber(value, "#0.0000");
    memo.readBack = IsNumeric(memo.text) ? ToSingle(memo.text)
                                         : std::numeric_limits<float>::quiet_NaN();
    memo.value = value;
    memo.filled = true;
  }
  if (!SameText(rule.Strength, memo.text)) rule.Strength = memo.text;
}

// The operator slot (1..6) of an operator text, or 0 when it names none.
int OperatorSlot(const ControllerModel& model, const std::string& text) {
  for (int op = 1; op <= NumOperators; ++op) {
    if (SameText(text, model.OperatorNames[op])) return op;
  }
  return 0;
}

// Forgets the zones found for an input's terms once one of its zone names changed.
void CheckZoneNames(EngineMemo& memo, const ControllerModel& model) {
  for (int i = 1; i <= NumIn; ++i) {
    const ZoneTable& zones = model.PVarIn[i].Zone;
    auto& names = memo.inputZoneNames[i];
    bool same = true;
    for (int z = 1; z <= NumZones && same; ++z) same = SameText(names[z], zones[z].MFName);
    if (same) continue;
    for (int z = 1; z <= NumZones; ++z) names[z] = zones[z].MFName;
    for (int r = 1; r <= NumRules; ++r) memo.inputTermZones[r][i].filled = false;
  }
}

// The zone of input i that a term names (0: none), remembered per rule and input.
int TermZone(TermZoneMemo& memo, const ZoneTable& zones, const std::string& term) {
  if (!memo.filled || !SameText(memo.term, term)) {
    memo.zone = FindZone(zones, term);
    memo.term = term;
    memo.filled = true;
  }
  return memo.zone;
}

}  // namespace

void EvaluateRules(ControllerModel& model, const MainGrid& grid, EngineMemo& memo) {
  const bool correctSlopes = model.FLCBlock.SlopeCorr && model.HistCount >= model.SlopeWindow[2];
  std::array<float, NumIn + 1> factors{};
  if (correctSlopes) {
    for (int i = 1; i <= NumIn; ++i) factors[i] = SlopeCorrectionFactor(model.PVarIn[i]);
  }

  CheckZoneNames(memo, model);
  for (int r = 1; r <= NumRules; ++r) {
    Rule& rule = model.Rules[r];
    std::array<float, NumIn> termDegrees{};
    size_t n = 0;
    for (int i = 1; i <= NumIn; ++i) {
      const std::string& term = rule.Term[i];
      if (IsNotUsed(term)) continue;
      const int zone = TermZone(memo.inputTermZones[r][i], model.PVarIn[i].Zone, term);
      if (zone == 0) continue;  // a term naming no zone is not counted
      float degree = model.PVarIn[i].Zone[zone].MFDegree;
      if (correctSlopes) degree *= factors[i];
      termDegrees[n++] = degree;
    }
    const int op = n > 0 ? OperatorSlot(model, grid.Text(grid::RuleRow(r), grid::kColController)) : 0;
    if (op == 0) {
      if (!IsNotUsed(rule.Strength)) rule.Strength = kNotUsed;
      continue;
    }
    const OperatorResults results = CombineDegrees(std::span<const float>(termDegrees.data(), n));
    SetStrength(rule, memo.strengths[r], results[op]);
  }
}

void EvaluateRules(ControllerModel& model, const MainGrid& grid) {
  EngineMemo fresh;
  EvaluateRules(model, grid, fresh);
}

}  // namespace kavro
