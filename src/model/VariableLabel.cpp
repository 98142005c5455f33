#include "model/VariableLabel.h"

#include "common/TextUtil.h"

namespace kavro {

std::string VariableLabel(const ControllerModel& model, bool isOutput, int slot) {
  const std::string& name = isOutput ? model.PVarOut[slot].PVarName : model.PVarIn[slot].PVarName;
  std::string trimmed = TrimRight(name);
  if (!trimmed.empty()) return trimmed;
  return (isOutput ? "Output " : "Input ") + std::to_string(slot);
}

std::string TermVariableLabel(const ControllerModel& model, int termSlot) {
  const TermVariable v = VariableOfTerm(termSlot);
  return VariableLabel(model, !v.isInput, v.slot);
}

std::string RuleLabel(int rule) {
  // Appended rather than "R" + number: GCC 12's -O3 inliner reports a false -Wrestrict on that.
  std::string label(1, 'R');
  label += std::to_string(rule);
  return label;
}

}  // namespace kavro
