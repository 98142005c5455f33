// The compiled rule base gives what the plain evaluation gives, to the last digit, on rule bases
// with every awkward text in them: zones sharing a name (the first counts), terms and output
// terms that name no zone, operators that are none, all six operators, slope correction,
// degrees above 1 and below 0.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "common/NumberText.h"
#include "display/GridValues.h"
#include "engine/Defuzzify.h"
#include "engine/EngineOnCopy.h"
#include "engine/Fuzzify.h"
#include "engine/GridExchange.h"
#include "engine/RuleEvaluation.h"
#include "support/EngineTestModel.h"

namespace kavro::test {
namespace {

const char* const kOperators[] = {"MIN", "MAX", "PROD", "BDIF", "ASUM", "BSUM", "min", "Not Used"};

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
      // Degrees beyond 0..1 too, as a zone's values allow.
      const float peak = std::array{1.0f, 1.0f, 2.5f, -0.5f}[static_cast<size_t>(pick(4))];
      SetZone(m.PVarIn[i].Zone[z], name(), {left, left + 5, left + 15, left + 25},
              {0, peak, peak, 0});
    }
  }
  for (int o = 1; o <= NumOut; ++o) {
    m.PVarOut[o].OutputType = pick(2) == 0 ? kIncr : kAbs;
    for (int z = 1; z <= NumZones; ++z) {
      SetZone(m.PVarOut[o].Zone[z], name(), {static_cast<float>(pick(9)) - 4, 0, 0, 0},
              {1, 0, 0, 0});
    }
  }
  for (int r = 1; r <= NumRules; ++r) {
    std::vector<std::pair<int, std::string>> terms;
    for (int k = 1; k <= NumTerms; ++k) {
      if (pick(3) != 0) terms.emplace_back(k, pick(6) == 0 ? "Z" : name());
    }
    SetRule(c, r, kOperators[pick(8)], terms);
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

// A copy without a window reads its rule records; the live engine reads the rule rows the
// operator typed over. With the same texts in both the results are the same to the last digit,
// also after the records' operators alone changed under a compiled rule base kept between them.
TEST(CompiledRuleBase, RuleRecordsGiveWhatTheSameRulesTypedIntoTheRowsGive) {
  std::mt19937 random(11);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  EngineMemo typedMemo;
  EngineMemo recordsMemo;
  for (int trial = 0; trial < 100; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    Controller typed;
    RandomRuleBase(typed, random);
    ShowValuesInGrid(typed.model, typed.grid);  // the value rows hold the inputs
    ControllerModel records = typed.model;
    // A copy made copies rule-base texts, which tells every compiled rule base to look again:
    // the round after the operators alone changed makes none, so the kept one must see them.
    const auto compare = [&](const std::string& round, bool withCopy) {
      SCOPED_TRACE(round);
      TakeValuesFromGrid(typed.model, typed.grid, typedMemo);
      Fuzzify(typed.model);
      EvaluateRules(typed.model, typed.grid, typedMemo);
      Defuzzify(typed.model, typed.grid, typedMemo);
      Fuzzify(records);
      EvaluateRules(records, RuleTexts(records), recordsMemo);
      Defuzzify(records, RuleTexts(records), recordsMemo);
      for (int r = 1; r <= NumRules; ++r) {
        ASSERT_EQ(records.Rules[r].Strength, typed.model.Rules[r].Strength) << "rule " << r;
      }
      for (int o = 1; o <= NumOut; ++o) {
        ASSERT_EQ(records.PVarOut[o].ValueOut, typed.model.PVarOut[o].ValueOut);
      }
      if (!withCopy) return;
      EngineOnCopy copy(records);
      InputValues inputs{};
      for (int i = 1; i <= NumIn; ++i) inputs[i] = records.PVarIn[i].PVIN;
      const OutputValues outputs = copy.Outputs(inputs);
      for (int r = 1; r <= NumRules; ++r) {
        ASSERT_EQ(copy.Model().Rules[r].Strength, typed.model.Rules[r].Strength) << "rule " << r;
      }
      for (int o = 1; o <= NumOut; ++o) {
        ASSERT_EQ(copy.Model().PVarOut[o].ValueOut, typed.model.PVarOut[o].ValueOut);
        if (IsNumeric(typed.model.PVarOut[o].ValueOut)) {
          ASSERT_EQ(outputs[o], ToSingle(typed.model.PVarOut[o].ValueOut));
        }
      }
    };
    compare("as loaded", false);
    for (int r = 1; r <= NumRules; ++r) {
      if (pick(2) == 0) continue;
      const std::string op = kOperators[pick(8)];
      typed.grid.SetText(grid::RuleRow(r), grid::kColController, op);
      records.Rules[r].Operator = op;
    }
    compare("operators typed", false);
    for (int r = 1; r <= NumRules; ++r) {
      const int k = 1 + pick(NumTerms);
      const std::string term(1, static_cast<char>('A' + pick(6)));
      typed.grid.SetText(grid::RuleRow(r), grid::TermColumn(k), term);
      records.Rules[r].Term[k] = term;
    }
    compare("terms typed", true);
  }
}

}  // namespace
}  // namespace kavro::test
