#include "edit/ReadinessCheck.h"

#include <algorithm>

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "edit/VariableEditor.h"
#include "engine/EventNotes.h"
#include "engine/RuleEvaluation.h"
#include "engine/RunTimeError.h"
#include "link/LinkNames.h"
#include "model/MainGrid.h"
#include "model/VariableLabel.h"

namespace kavro {

namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

class Checker {
 public:
  explicit Checker(const ControllerModel& m) : m_(m) {}

  std::vector<ReadinessProblem> Run() {
    for (int i = 1; i <= NumIn; ++i) {
      if (IsUsed(m_.PVarIn[i]))
        CheckVariable(false, i, m_.PVarIn[i].Zone, m_.PVarIn[i].PVHigh, m_.PVarIn[i].PVLow);
    }
    for (int k = 1; k <= NumOut; ++k) {
      if (IsUsed(m_.PVarOut[k]))
        CheckVariable(true, k, m_.PVarOut[k].Zone, m_.PVarOut[k].PVHigh, m_.PVarOut[k].PVLow);
    }
    for (int r = 1; r <= NumRules; ++r) CheckRule(r);
    CheckController();
    return std::move(problems_);
  }

 private:
  void Add(int column, std::string text) { problems_.push_back({column, std::move(text)}); }

  void CheckVariable(bool isOutput, int slot, const ZoneTable& zoneTable, float high, float low) {
    const std::string name = VariableLabel(m_, isOutput, slot);
    const int column = isOutput ? grid::OutputColumn(slot) : grid::InputColumn(slot);
    if (high < low) {
      Add(column, name + ": high limit " + GeneralNumber(high) + " is below low limit " +
                      GeneralNumber(low));
    }
    for (int z = 1; z <= NumZones; ++z) {
      const MFZone& zone = zoneTable[z];
      const std::string where = name + " zone " + std::to_string(z) + " (" + zone.MFName + ")";
      for (int p = 1; p < NumPoints; ++p) {
        if (zone.MFPValue[p + 1] < zone.MFPValue[p]) {
          Add(column, where + ": point " + std::to_string(p + 1) + " (" +
                          GeneralNumber(zone.MFPValue[p + 1]) + ") is below point " +
                          std::to_string(p) + " (" + GeneralNumber(zone.MFPValue[p]) + ")");
        }
      }
      for (int p = 1; p <= NumPoints; ++p) {
        if (!(zone.MFValue[p] >= 0 && zone.MFValue[p] <= 1)) {
          Add(column, where + ": MF value " + std::to_string(p) + " is " +
                          GeneralNumber(zone.MFValue[p]) + ", outside 0..1");
        }
      }
      if (!isOutput) CheckShoulder(column, where, zone);
      for (int earlier = 1; earlier < z; ++earlier) {
        if (zoneTable[earlier].MFName == zone.MFName) {
          Add(column, name + ": zones " + std::to_string(earlier) + " and " + std::to_string(z) +
                          " are both named " + Quoted(zone.MFName));
          break;
        }
      }
    }
  }

  // A zone open to one side (its membership above 0 at its first or last point) is meant to be
  // fully in from its outer point up to where it fades; one that is 1 at a single point only
  // has its memberships drawn the wrong way round (1, 1, 0, 0 where 1, 1, 1, 0 was meant), so
  // its rules act only at the very end of the range.
  void CheckShoulder(int column, const std::string& where, const MFZone& zone) {
    const auto& x = zone.MFPValue;
    const auto& mf = zone.MFValue;
    const bool shoulder = mf[1] > 0 || mf[NumPoints] > 0;
    if (!shoulder || x[1] == x[NumPoints]) return;  // an inner zone, or a single point (a singleton)
    float lowest = 0;
    float highest = 0;
    bool any = false;
    for (int p = 1; p <= NumPoints; ++p) {
      if (mf[p] != 1) continue;
      lowest = any ? std::min(lowest, x[p]) : x[p];
      highest = any ? std::max(highest, x[p]) : x[p];
      any = true;
    }
    if (any && lowest == highest) {
      Add(column, where + ": a shoulder zone that reaches 1 at " + GeneralNumber(lowest) +
                      " only; memberships 1, 1, 1, 0 (or 0, 1, 1, 1) hold it at 1 up to where"
                      " it fades");
    }
  }

  bool NamesZone(const ZoneTable& zoneTable, const std::string& term) const {
    for (int z = 1; z <= NumZones; ++z) {
      if (zoneTable[z].MFName == term) return true;
    }
    return false;
  }

  bool IsOperatorName(const std::string& name) const {
    for (int o = 1; o <= NumOperators; ++o) {
      if (m_.OperatorNames[o] == name) return true;
    }
    return false;
  }

  void CheckRule(int r) {
    const Rule& rule = m_.Rules[r];
    const std::string label = RuleLabel(r);
    bool anyTerm = false;
    bool anyInput = false;  // a term on a variable in use: one the rule can act on
    bool anyOutput = false;
    for (int j = 1; j <= NumTerms; ++j) {
      const std::string& term = rule.Term[j];
      if (term == kNotUsed) continue;
      const TermVariable v = VariableOfTerm(j);
      const bool used = v.isInput ? IsUsed(m_.PVarIn[v.slot]) : IsUsed(m_.PVarOut[v.slot]);
      anyTerm = true;
      if (used) (v.isInput ? anyInput : anyOutput) = true;
      const std::string variable = TermVariableLabel(m_, j);
      const int column = grid::TermColumn(j);
      if (!used) {
        Add(column,
            label + ": term " + Quoted(term) + " is on " + variable + ", which has no name");
      } else if (!NamesZone(ZonesOfTerm(m_, j), term)) {
        Add(column, label + ": term " + Quoted(term) + " names no zone of " + variable);
      }
    }
    if (!anyTerm) return;  // an empty rule slot
    if (!IsOperatorName(rule.Operator)) {
      std::string known;
      for (int o = 1; o <= NumOperators; ++o) known += (o > 1 ? ", " : "") + m_.OperatorNames[o];
      Add(0, label + ": operator " + Quoted(rule.Operator) + " is not one of " + known);
    }
    if (!anyInput) Add(0, label + ": has no input term");
    if (anyInput && IsOperatorName(rule.Operator) && !CanFire(rule)) {
      Add(0, label + ": operator " + Quoted(rule.Operator) +
                 " can never give a strength above 0 for degrees within 0..1");
    }
    if (!anyOutput) Add(0, label + ": has no output term");
  }

  // The operators grow with every degree, so a rule whose input terms are all fully true gives
  // its highest strength: when even that is 0 the rule never acts (BDIF always; ASUM on a single
  // term).
  bool CanFire(const Rule& rule) const {
    std::vector<float> degrees;
    for (int j = 1; j <= NumIn; ++j) {
      if (rule.Term[j] != kNotUsed && IsUsed(m_.PVarIn[j])) degrees.push_back(1.0f);
    }
    int op = 1;
    while (op < NumOperators && m_.OperatorNames[op] != rule.Operator) ++op;
    return CombineDegrees(degrees)[op] > 0;
  }

  void CheckController() {
    const FLCBlockRecord& b = m_.FLCBlock;
    if (b.LinkFrequency > b.RunFrequency - 5) {
      Add(0, "Link frequency " + std::to_string(b.LinkFrequency) +
                 " s is not at least 5 s faster than run frequency " +
                 std::to_string(b.RunFrequency) + " s");
    }
    if (const auto message = UnusableLinkNameMessage(m_)) {
      Add(0, message->substr(0, message->find('\r')));  // its first line names the name
    }
  }

  const ControllerModel& m_;
  std::vector<ReadinessProblem> problems_;
};

}  // namespace

std::vector<ReadinessProblem> ReadinessProblems(const ControllerModel& model) {
  return Checker(model).Run();
}

int NoteReadinessProblems(Controller& controller) {
  const std::vector<ReadinessProblem> problems = ReadinessProblems(controller.model);
  for (const ReadinessProblem& problem : problems) {
    NoteEvent(controller, EventKind::Configuration, problem.text);
  }
  return static_cast<int>(problems.size());
}

}  // namespace kavro
