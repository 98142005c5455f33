#include "display/RuleFiringView.h"

#include <algorithm>

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "display/RuleMark.h"
#include "engine/RuleFiring.h"
#include "model/VariableLabel.h"

namespace kavro {

namespace {

// Where value lies across range, 0..1; a range of no width puts everything in its middle.
float Across(float value, ZoneSpan range) {
  const double width = static_cast<double>(range.high) - range.low;
  if (!(width > 0)) return 0.5f;
  return static_cast<float>((value - static_cast<double>(range.low)) / width);
}

float Clamp01(float value) {
  return std::clamp(value, 0.0f, 1.0f);
}

template <typename Variable>
std::string ColumnHeader(const Variable& variable, const char* kind, int slot) {
  if (IsUsed(variable)) return TrimRight(variable.PVarName);
  return kind + FormatNumber(slot, "0");
}

FiringTermCell InputCell(const ControllerModel& model, const FiringTerm& term) {
  const PVarInRecord& input = model.PVarIn[VariableOfTerm(term.termSlot).slot];
  FiringTermCell cell;
  cell.term = term.term;
  cell.zoneFound = term.zone != 0;
  cell.degree = term.degree;
  cell.degreeText = FormatNumber(term.degree, "###0.000");
  cell.range = ZoneRange(input.Zone);
  cell.presentValue = term.presentValue;
  const float mark = Across(term.presentValue, cell.range);
  cell.markInside = mark >= 0.0f && mark <= 1.0f;
  cell.mark = Clamp01(mark);
  if (cell.zoneFound) {
    const MFZone& zone = input.Zone[term.zone];
    for (int k = 0; k < 4; ++k) {
      cell.points[k] = zone.MFPValue[k + 1];
      cell.values[k] = zone.MFValue[k + 1];
    }
    cell.shape = ZoneShape(zone, cell.range);
  }
  return cell;
}

// The variables that get a column: every named one, and any other a rule names a term of.
template <typename Variables>
std::vector<int> ShownSlots(const Variables& variables, int count,
                            const std::vector<FiringRow>& rows, bool inputs) {
  std::vector<int> slots;
  for (int slot = 1; slot <= count; ++slot) {
    bool named = IsUsed(variables[slot]);
    for (const FiringRow& row : rows) {
      for (const FiringTerm& term : inputs ? row.inputs : row.outputs) {
        if (VariableOfTerm(term.termSlot).slot == slot) named = true;
      }
    }
    if (named) slots.push_back(slot);
  }
  return slots;
}

}  // namespace

std::vector<ShapePoint> ZoneShape(const MFZone& zone, ZoneSpan range) {
  const auto at = [&](int k) {
    return ShapePoint{Clamp01(Across(zone.MFPValue[k], range)), Clamp01(zone.MFValue[k])};
  };
  std::vector<ShapePoint> shape;
  shape.push_back({at(1).x, 0.0f});
  for (int k = 1; k <= 4; ++k) shape.push_back(at(k));
  shape.push_back({at(4).x, 0.0f});
  return shape;
}

RuleFiringViewState ShowRuleFiring(const ControllerModel& model, const MainGrid& grid) {
  const std::vector<FiringRow> firing = RuleFiringRows(model, grid);
  RuleFiringViewState view;
  view.caption = "Rule Firing - " + TrimRight(model.FLCBlock.Name1);
  view.inputSlots = ShownSlots(model.PVarIn, NumIn, firing, true);
  view.outputSlots = ShownSlots(model.PVarOut, NumOut, firing, false);
  for (const int slot : view.inputSlots) {
    view.inputHeaders.push_back(ColumnHeader(model.PVarIn[slot], "In", slot));
  }
  for (const int slot : view.outputSlots) {
    view.outputHeaders.push_back(ColumnHeader(model.PVarOut[slot], "Out", slot));
  }
  view.ruleColumns = {"Rule", "Operator"};
  view.ruleColumns.insert(view.ruleColumns.end(), view.inputHeaders.begin(),
                          view.inputHeaders.end());
  view.ruleColumns.push_back("Strength");
  view.ruleColumns.insert(view.ruleColumns.end(), view.outputHeaders.begin(),
                          view.outputHeaders.end());
  view.outputColumns = {"Output", "Defuzzified", "Sent", ""};
  for (const FiringRow& rule : firing) {
    FiringRowView row;
    row.label = RuleLabel(rule.rule);
    row.operatorName = rule.operatorName;
    row.inputs.resize(view.inputSlots.size());
    row.outputs.resize(view.outputSlots.size());
    for (const FiringTerm& term : rule.inputs) {
      const auto column = std::find(view.inputSlots.begin(), view.inputSlots.end(),
                                    VariableOfTerm(term.termSlot).slot);
      row.inputs[static_cast<size_t>(column - view.inputSlots.begin())] = InputCell(model, term);
    }
    for (const FiringTerm& term : rule.outputs) {
      const auto column = std::find(view.outputSlots.begin(), view.outputSlots.end(),
                                    VariableOfTerm(term.termSlot).slot);
      row.outputs[static_cast<size_t>(column - view.outputSlots.begin())] = term.term;
    }
    const std::string& strength = model.Rules[rule.rule].Strength;
    row.strengthText = strength;
    // A strength a script left as no number shows unmarked; the cycle reports that failure.
    row.mark = RuleStrengthColour(rule.used ? rule.strength : 0.0);
    row.bar = Clamp01(rule.strength);
    row.fired = rule.fired;
    view.rows.push_back(std::move(row));
  }
  for (const int slot : view.outputSlots) {
    const PVarOutRecord& output = model.PVarOut[slot];
    FiringOutputLine line;
    line.name = ColumnHeader(output, "Out", slot);
    line.defuzzified = output.ValueDefuzzified;
    line.sent = output.ValueOut;
    // Before the first cycle nothing was worked out, so nothing was held either.
    line.held = !output.SendOutput && !output.ValueDefuzzified.empty();
    if (line.held) line.note = "held by the move limits";
    view.outputs.push_back(std::move(line));
  }
  return view;
}

}  // namespace kavro
