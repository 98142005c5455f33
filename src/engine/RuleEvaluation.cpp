#include "engine/RuleEvaluation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/NumberText.h"
#include "engine/ZoneLookup.h"

namespace kavro {

namespace {

// The result of operator op (1..6, as OperatorNames) over n term degrees, degree(t) giving the
// t-th (0-based); each works out only what it needs, taking the degrees in their order. With
// kSlots given, the loops take that many degrees, the n real ones and then neutral ones (see
// NeutralDegree), laid out in full.
template <int kSlots = 0, typename Degree>
float Combined(int op, int n, Degree degree) {
  const int slots = kSlots > 0 ? kSlots : n;
  float sum = 0.0f;
  float product = 1.0f;
  switch (op) {
    case 1: {
      float minimum = 10000.0f;
#pragma GCC unroll 8
      for (int t = 0; t < slots; ++t) {
        const float d = degree(t);
        if (minimum > d) minimum = d;
      }
      return minimum;
    }
    case 2: {
      float maximum = -10000.0f;
#pragma GCC unroll 8
      for (int t = 0; t < slots; ++t) {
        const float d = degree(t);
        if (maximum < d) maximum = d;
      }
      return maximum;
    }
    case 3:
#pragma GCC unroll 8
      for (int t = 0; t < slots; ++t) product *= degree(t);
      return product;
    case 4:
#pragma GCC unroll 8
      for (int t = 0; t < slots; ++t) sum += degree(t);
      // Stored rule bases were tuned with this bounded difference (sum - n - 1, so 0 for degrees
      // within 0..1); it is kept as it is.
      return std::max(sum - static_cast<float>(n) - 1.0f, 0.0f);
    case 5:
#pragma GCC unroll 8
      for (int t = 0; t < slots; ++t) {
        const float d = degree(t);
        product *= d;
        sum += d;
      }
      return std::min(sum - product, 1.0f);
    default:
#pragma GCC unroll 8
      for (int t = 0; t < slots; ++t) sum += degree(t);
      return std::min(sum, 1.0f);
  }
}

float Combined(int op, std::span<const float> degrees) {
  return Combined(op, static_cast<int>(degrees.size()),
                  [&degrees](int t) { return degrees[static_cast<size_t>(t)]; });
}

}  // namespace

OperatorResults CombineDegrees(std::span<const float> degrees) {
  OperatorResults results{};
  for (int op = 1; op <= NumOperators; ++op) results[op] = Combined(op, degrees);
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
// text, since most rules repeat theirs (0 for rules that do not fire) from cycle to cycle. A
// changed one is written into the memo's own text and its number taken from the formatting,
// which knows it, instead of reading the text back.
void SetStrength(Rule& rule, StrengthMemo& memo, float value) {
  if (!memo.filled || memo.value != value) {
    static const NumberPattern kStrengthPattern("#0.0000");
    memo.filled = false;  // until text, value and number agree again
    memo.text.clear();
    const double read = AppendNumber(memo.text, value, kStrengthPattern);
    memo.readBack =
        std::isnan(read) ? std::numeric_limits<float>::quiet_NaN() : SingleOfNumber(read);
    memo.value = value;
    memo.filled = true;
  }
  if (!SameText(rule.Strength, memo.text)) rule.Strength = memo.text;
}

void SetNotUsed(Rule& rule) {
  if (!IsNotUsed(rule.Strength)) rule.Strength = kNotUsed;
}

// The slope correction of every input's term degrees, when it applies this cycle.
struct SlopeFactors {
  bool apply = false;
  std::array<float, NumIn + 1> factor{};
};

SlopeFactors SlopeFactorsOf(const ControllerModel& model) {
  SlopeFactors slopes;
  slopes.apply = model.FLCBlock.SlopeCorr && model.HistCount >= model.SlopeWindow[2];
  if (slopes.apply) {
    for (int i = 1; i <= NumIn; ++i) slopes.factor[i] = SlopeCorrectionFactor(model.PVarIn[i]);
  }
  return slopes;
}

float TermDegree(const ControllerModel& model, const SlopeFactors& slopes, int input, int zone) {
  float degree = model.PVarIn[input].Zone[zone].MFDegree;
  if (slopes.apply) degree *= slopes.factor[input];
  return degree;
}

}  // namespace

void EvaluateRules(ControllerModel& model, const RuleTexts& texts, EngineMemo& memo) {
  const SlopeFactors slopes = SlopeFactorsOf(model);
  const CompiledRules& rules = memo.ruleBase.Rules(model, texts);
  for (int r = 1; r <= NumRules; ++r) {
    const CompiledRule& compiled = rules[r];
    Rule& rule = model.Rules[r];
    if (compiled.op == 0) {
      SetNotUsed(rule);
      continue;
    }
    // The degrees as TermDegree gives them, read where the compiled terms point.
    const auto term = [&compiled](int t) -> const CompiledRule::InputTerm& {
      return compiled.terms[static_cast<size_t>(t)];
    };
    float strength;
    if (slopes.apply) {
      strength = Combined(compiled.op, compiled.termCount,
                          [&](int t) { return *term(t).degree * slopes.factor[term(t).input]; });
    } else if (compiled.paddedDegrees[0] != nullptr) {
      strength = Combined<NumIn>(compiled.op, compiled.termCount, [&compiled](int t) {
        return *compiled.paddedDegrees[static_cast<size_t>(t)];
      });
    } else {
      strength = Combined(compiled.op, compiled.termCount, [&](int t) { return *term(t).degree; });
    }
    SetStrength(rule, memo.strengths[r], strength);
  }
}

void EvaluateRules(ControllerModel& model, const RuleTexts& texts) {
  const SlopeFactors slopes = SlopeFactorsOf(model);
  for (int r = 1; r <= NumRules; ++r) {
    Rule& rule = model.Rules[r];
    std::array<float, NumIn> degrees{};
    size_t n = 0;
    for (int i = 1; i <= NumIn; ++i) {
      const std::string& term = rule.Term[i];
      if (IsNotUsed(term)) continue;
      const int zone = FindZone(model.PVarIn[i].Zone, term);
      if (zone == 0) continue;  // a term naming no zone is not counted
      degrees[n++] = TermDegree(model, slopes, i, zone);
    }
    const int op =
        n > 0 ? OperatorSlot(model, texts.Operator(r)) : 0;
    if (op == 0) {
      SetNotUsed(rule);
      continue;
    }
    rule.Strength =
        FormatNumber(CombineDegrees(std::span<const float>(degrees.data(), n))[op], "#0.0000");
  }
}

}  // namespace kavro
