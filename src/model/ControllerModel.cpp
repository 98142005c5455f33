#include "model/ControllerModel.h"

#include "common/NumberText.h"
#include "common/TextUtil.h"

namespace kavro {

std::string ProgramVersionText() {
  return "Kavro Version " + std::to_string(KAVRO_VERSION_MAJOR) + "." +
         std::to_string(KAVRO_VERSION_MINOR) + "." + std::to_string(KAVRO_VERSION_PATCH);
}

void ResetModel(ControllerModel& model, const std::string& workDir) {
  model = ControllerModel{};
  model.OperatorNames = {"", "MIN", "MAX", "PROD", "BDIF", "ASUM", "BSUM"};
  model.DeFuzz[1] = "COG";
  model.SlopeWindow = {0, 3, 8, 20};
  model.WorkDir = workDir;
  model.FLCVersion = ProgramVersionText();
}

std::string DefaultZoneName(int zoneSlot) { return "Zone " + FormatNumber(zoneSlot, "#0"); }

namespace {

template <typename Variable>
void DefaultVariable(Variable& variable) {
  for (int z = 1; z <= NumZones; ++z) variable.Zone[z].MFName = DefaultZoneName(z);
  for (int h = 1; h <= HistoryLength; ++h) variable.History[h] = kEmptyHistory;
}

}  // namespace

void ApplyDefaults(ControllerModel& model) {
  for (int r = 1; r <= NumRules; ++r) {
    model.Rules[r].Strength = kNotUsed;
    model.Rules[r].Operator = model.OperatorNames[1];
  }
  for (int i = 1; i <= NumIn; ++i) DefaultVariable(model.PVarIn[i]);
  for (int k = 1; k <= NumOut; ++k) {
    DefaultVariable(model.PVarOut[k]);
    model.PVarOut[k].ValueOut = kNotUsed;
  }
}

TermVariable VariableOfTerm(int termSlot) {
  if (termSlot <= NumIn) return {true, termSlot};
  return {false, termSlot - NumIn};
}

bool IsUsed(const PVarInRecord& variable) { return !IsAllSpaces(variable.PVarName); }
bool IsUsed(const PVarOutRecord& variable) { return !IsAllSpaces(variable.PVarName); }

ZoneTable& ZonesOfTerm(ControllerModel& model, int termSlot) {
  const TermVariable v = VariableOfTerm(termSlot);
  return v.isInput ? model.PVarIn[v.slot].Zone : model.PVarOut[v.slot].Zone;
}

const ZoneTable& ZonesOfTerm(const ControllerModel& model, int termSlot) {
  const TermVariable v = VariableOfTerm(termSlot);
  return v.isInput ? model.PVarIn[v.slot].Zone : model.PVarOut[v.slot].Zone;
}

}  // namespace kavro
