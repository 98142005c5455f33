// The compiled rule base gives what the plain evaluation gives, to the last digit, on rule bases
// with every awkward text in them: zones sharing a name (the first counts), terms and output
// terms that name no zone, operators that are none, all six operators, slope correction.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/Defuzzify.h"
#include "engine/Fuzzify.h"
#include "engine/RuleEvaluation.h"
#include "support/EngineTestModel.h"

namespace kavro::test {
namespace {

// A random rule base over names "A".."E" (some zones share one, some terms name none of them).
void RandomRuleBase(Controller& c, std::mt19937& random) {
  StartController(c);
  ControllerModel& m = c.model;
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const auto name = [&] { return std::string(1, static_cast<char>('A' + pick(5))); };
  m.FLCBlock.SlopeCorr = pick(2) == 0;
  m.HistCount = 100;
  for (int i = 1; i <= NumIn; ++i) {
    m.PVarIn[i].PVarName = "IN" + std::to_string(i);
    m.PVarIn[i].PVIN = static_cast<float>(pick(100));
    m.PVarIn[i].Slope = {0, static_cast<float>(pick(5)) - 2, static_cast<float>(pick(5)) - 2, 0};
    for (int z = 1; z <= NumZones; ++z) {
      const float left = static_cast<float>(pick(80));
      SetZone(m.PVarIn[i].Zone[z], name(), {left, left + 5, left + 15, left + 25}, {0, 1, 1, 0});
    }
  }
  for (int o = 1; o <= NumOut; ++o) {
    m.PVarOut[o].OutputType = pick(2) == 0 ? kIncr : kAbs;
    for (int z = 1; z <= NumZones; ++z) {
      SetZone(m.PVarOut[o].Zone[z], name(), {static_cast<float>(pick(9)) - 4, 0, 0, 0},
              {1, 0, 0, 0});
    }
  }
  const char* operators[] = {"MIN", "MAX", "PROD", "BDIF", "ASUM", "BSUM", "min", "Not Used"};
  for (int r = 1; r <= NumRules; ++r) {
    std::vector<std::pair<int, std::string>> terms;
    for (int k = 1; k <= NumTerms; ++k) {
      if (pick(3) != 0) terms.emplace_back(k, pick(6) == 0 ? "Z" : name());
    }
    SetRule(c, r, operators[pick(8)], terms);
  }
  Fuzzify(m);
}

TEST(CompiledRuleBase, EvaluatesEveryRuleBaseAsThePlainEvaluationDoes) {
  std::mt19937 random(5);
  EngineMemo memo;  // kept across the rule bases, as a session keeps it across changes
  int fired = 0;
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    Controller compiled;
    RandomRuleBase(compiled, random);
    Controller plain;
    plain.model = compiled.model;
    plain.grid = compiled.grid;
    EvaluateRules(compiled.model, compiled.grid, memo);
    Defuzzify(compiled.model, compiled.grid, memo);
    EvaluateRules(plain.model, plain.grid);
    Defuzzify(plain.model, plain.grid);
    for (int r = 1; r <= NumRules; ++r) {
      ASSERT_EQ(compiled.model.Rules[r].Strength, plain.model.Rules[r].Strength) << "rule " << r;
      fired +=
          !IsNotUsed(plain.model.Rules[r].Strength) && plain.model.Rules[r].Strength != "0.0000";
    }
    for (int o = 1; o <= NumOut; ++o) {
      ASSERT_EQ(compiled.model.PVarOut[o].ValueOut, plain.model.PVarOut[o].ValueOut);
    }
  }
  EXPECT_GT(fired, 500);  // the rule bases fire, not only stay silent
}

}  // namespace
}  // namespace kavro::test
