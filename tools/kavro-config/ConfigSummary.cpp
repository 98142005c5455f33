#include "ConfigSummary.h"

#include <sstream>

#include "common/NumberText.h"
#include "common/RestrictFalseReport.h"

namespace kavro {
namespace {

template <typename Variable>
void DescribeVariable(std::ostringstream& out, const char* kind, int slot, const Variable& v) {
  out << kind << " " << slot << ": " << v.PVarName;
  if (!v.Units.empty()) out << " [" << v.Units << "]";
  out << " low " << FormatNumber(v.PVLow, "####0.000") << " high "
      << FormatNumber(v.PVHigh, "####0.000") << "\n  zones:";
  for (int z = 1; z <= NumZones; ++z) out << " " << v.Zone[z].MFName << (z < NumZones ? "," : "");
  out << "\n";
}

std::string VariableName(const ControllerModel& model, int termSlot) {
  const TermVariable v = VariableOfTerm(termSlot);
  return v.isInput ? model.PVarIn[v.slot].PVarName : model.PVarOut[v.slot].PVarName;
}

}  // namespace

std::string ConfigSummary(const ControllerModel& model) {
  std::ostringstream out;
  out << "Controller " << model.FLCBlock.Name1 << ": run every "
      << FormatNumber(model.FLCBlock.RunFrequency, "##0") << " s, link every "
      << FormatNumber(model.FLCBlock.LinkFrequency, "##0") << " s, link client program "
      << (model.Program_Interface.empty() ? "(none)" : model.Program_Interface)
      << ", starts in mode " << model.ControlMode << "\n";
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i])) DescribeVariable(out, "Input", i, model.PVarIn[i]);
  }
  for (int k = 1; k <= NumOut; ++k) {
    if (IsUsed(model.PVarOut[k])) {
      DescribeVariable(out, "Output", k, model.PVarOut[k]);
      out << "  type " << model.PVarOut[k].OutputType << "\n";
    }
  }
  for (int r = 1; r <= NumRules; ++r) {
    const Rule& rule = model.Rules[r];
    std::string terms;
    for (int j = 1; j <= NumTerms; ++j) {
      if (rule.Term[j] == kNotUsed) continue;
      KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
      terms += " " + VariableName(model, j) + "=" + rule.Term[j];
      KAVRO_STRING_RESTRICT_FALSE_REPORT_END
    }
    if (!terms.empty()) out << "R" << r << ": " << rule.Operator << terms << "\n";
  }
  return out.str();
}

}  // namespace kavro
