#include "config/FclExport.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "common/NumberText.h"
#include "config/FclNotes.h"
#include "model/ZoneRange.h"

namespace kavro {
namespace {

const char* const kPointPattern = "###0.000";

std::string Number(float value) {
  return FormatNumber(value, kPointPattern);
}

std::string Unique(const std::string& name, int slot, std::set<std::string>& taken) {
  std::string id = FclIdentifier(name);
  if (taken.count(id) != 0) {
    id += '_';
    id += std::to_string(slot);
  }
  while (taken.count(id) != 0) id += "_";
  taken.insert(id);
  return id;
}

void NameZones(const ZoneTable& zones, std::array<std::string, NumZones + 1>& ids) {
  std::set<std::string> taken;
  for (int z = 1; z <= NumZones; ++z) ids[z] = Unique(zones[z].MFName, z, taken);
}

// FCL's word for each operator slot (1 MIN, 2 MAX, 3 PROD, 4 BDIF, 5 ASUM, 6 BSUM).
struct FclOperator {
  const char* connective;
  const char* method;
};
constexpr std::array<FclOperator, NumOperators + 1> kFclOperators = {{{"", ""},
                                                                      {"AND", "MIN"},
                                                                      {"OR", "MAX"},
                                                                      {"AND", "PROD"},
                                                                      {"AND", "BDIF"},
                                                                      {"OR", "ASUM"},
                                                                      {"OR", "BSUM"}}};

int OperatorSlot(const ControllerModel& model, const std::string& text) {
  for (int op = 1; op <= NumOperators; ++op) {
    if (text == model.OperatorNames[op]) return op;
  }
  return 0;
}

int ZoneOf(const ZoneTable& zones, const std::string& name) {
  for (int z = 1; z <= NumZones; ++z) {
    if (zones[z].MFName == name) return z;
  }
  return 0;
}

bool IsUsedTermVariable(const ControllerModel& model, int k) {
  const TermVariable v = VariableOfTerm(k);
  return v.isInput ? IsUsed(model.PVarIn[v.slot]) : IsUsed(model.PVarOut[v.slot]);
}

std::string RuleLine(const ControllerModel& model, const FclNames& names, int r) {
  const Rule& rule = model.Rules[r];
  const char* connective = kFclOperators[OperatorSlot(model, rule.Operator)].connective;
  std::string conditions, conclusions;
  for (int k = 1; k <= NumTerms; ++k) {
    if (IsNotUsed(rule.Term[k])) continue;
    const TermVariable v = VariableOfTerm(k);
    const int zone = ZoneOf(ZonesOfTerm(model, k), rule.Term[k]);
    if (v.isInput) {
      if (!conditions.empty()) conditions += std::string(" ") + connective + " ";
      conditions += names.inputs[v.slot] + " IS " + names.inputZones[v.slot][zone];
    } else {
      if (!conclusions.empty()) conclusions += ", ";
      conclusions += names.outputs[v.slot] + " IS " + names.outputZones[v.slot][zone];
    }
  }
  return "    RULE " + std::to_string(r) + " : IF " + conditions + " THEN " + conclusions + ";\n";
}

// A note key's place: "In3.Zone2.MFName" -> kind "In", slot 3, rest "Zone2.MFName".
struct NotePlace {
  std::string kind;
  int slot = 0;
  std::string rest;
};

NotePlace PlaceOf(const std::string& key) {
  NotePlace place;
  size_t k = 0;
  while (k < key.size() && std::isalpha(static_cast<unsigned char>(key[k])) != 0) ++k;
  place.kind = key.substr(0, k);
  size_t digits = k;
  while (digits < key.size() && std::isdigit(static_cast<unsigned char>(key[digits])) != 0)
    ++digits;
  if (digits == k || digits >= key.size() || key[digits] != '.') return NotePlace{};
  place.slot = std::stoi(key.substr(k, digits - k));
  place.rest = key.substr(digits + 1);
  return place;
}

// The zone slot of "ZoneN.<field>", 0 for any other field.
int ZoneSlotOf(const std::string& rest, const std::string& field) {
  if (rest.size() != 6 + field.size() || rest.compare(0, 4, "Zone") != 0) return 0;
  if (rest.compare(6, std::string::npos, field) != 0 || rest[5] != '.') return 0;
  const int z = rest[4] - '0';
  return z >= 1 && z <= NumZones ? z : 0;
}

// False for a field the FCL text itself already says exactly.
bool FclNoteSaysMore(const ControllerModel& model, const FclNames& names, const std::string& key) {
  const NotePlace place = PlaceOf(key);
  if (place.kind == "Rule") return !RuleFitsFcl(model, place.slot);
  if (place.kind == "In" && IsUsed(model.PVarIn[place.slot])) {
    if (ZoneSlotOf(place.rest, "Points") != 0) return false;
    if (const int z = ZoneSlotOf(place.rest, "MFName")) {
      return names.inputZones[place.slot][z] != model.PVarIn[place.slot].Zone[z].MFName;
    }
  }
  if (place.kind == "Out" && IsUsed(model.PVarOut[place.slot])) {
    if (place.rest == "PVIN") {
      // DEFAULT says the value only when it lies inside RANGE; outside, the note keeps it.
      const PVarOutRecord& v = model.PVarOut[place.slot];
      const ZoneSpan range = ZoneRange(v.Zone);
      return v.PVIN < range.low || v.PVIN > range.high;
    }
    if (const int z = ZoneSlotOf(place.rest, "MFName")) {
      return names.outputZones[place.slot][z] != model.PVarOut[place.slot].Zone[z].MFName;
    }
  }
  return true;
}

}  // namespace

FclNames MakeFclNames(const ControllerModel& model) {
  FclNames names;
  std::set<std::string> taken;
  for (int i = 1; i <= NumIn; ++i) {
    names.inputs[i] = Unique(model.PVarIn[i].PVarName, i, taken);
    NameZones(model.PVarIn[i].Zone, names.inputZones[i]);
  }
  for (int o = 1; o <= NumOut; ++o) {
    names.outputs[o] = Unique(model.PVarOut[o].PVarName, NumIn + o, taken);
    NameZones(model.PVarOut[o].Zone, names.outputZones[o]);
  }
  return names;
}

bool RuleFitsFcl(const ControllerModel& model, int r) {
  const Rule& rule = model.Rules[r];
  if (OperatorSlot(model, rule.Operator) == 0) return false;
  bool input = false, output = false;
  for (int k = 1; k <= NumTerms; ++k) {
    if (IsNotUsed(rule.Term[k])) continue;
    if (!IsUsedTermVariable(model, k) || ZoneOf(ZonesOfTerm(model, k), rule.Term[k]) == 0) {
      return false;
    }
    (VariableOfTerm(k).isInput ? input : output) = true;
  }
  return input && output;
}

std::string FclText(const ControllerModel& model) {
  const FclNames names = MakeFclNames(model);
  std::string fcl;
  fcl +=
      "(* Written by kavro-config export-fcl. Rules are weighed as the controller weighs them:\n"
      "   each output is the average over the rules that fired of strength x singleton, and an\n"
      "   \"Incr\" output adds that to its present value. The block opening with @kavro keeps\n"
      "   what FCL has no words for (tags, limits, move limits, output types, names that are\n"
      "   not identifiers, unused variables and rules), one \"key: value\" a line. *)\n";
  fcl += "FUNCTION_BLOCK " + FclIdentifier(model.FLCBlock.Name1) + "\n\n";

  fcl += "VAR_INPUT\n";
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i])) fcl += "    " + names.inputs[i] + " : REAL;\n";
  }
  fcl += "END_VAR\n\nVAR_OUTPUT\n";
  for (int o = 1; o <= NumOut; ++o) {
    if (IsUsed(model.PVarOut[o])) fcl += "    " + names.outputs[o] + " : REAL;\n";
  }
  fcl += "END_VAR\n";

  for (int i = 1; i <= NumIn; ++i) {
    const PVarInRecord& v = model.PVarIn[i];
    if (!IsUsed(v)) continue;
    const ZoneSpan range = ZoneRange(v.Zone);
    fcl += "\nFUZZIFY " + names.inputs[i] + "\n";
    fcl += "    RANGE := (" + Number(range.low) + " .. " + Number(range.high) + ");\n";
    for (int z = 1; z <= NumZones; ++z) {
      fcl += "    TERM " + names.inputZones[i][z] + " :=";
      for (int p = 1; p <= NumPoints; ++p) {
        fcl += " (" + Number(v.Zone[z].MFPValue[p]) + ", " + Number(v.Zone[z].MFValue[p]) + ")";
      }
      fcl += ";\n";
    }
    fcl += "END_FUZZIFY\n";
  }

  for (int o = 1; o <= NumOut; ++o) {
    const PVarOutRecord& v = model.PVarOut[o];
    if (!IsUsed(v)) continue;
    const ZoneSpan range = ZoneRange(v.Zone);
    fcl += "\nDEFUZZIFY " + names.outputs[o] + "\n";
    fcl += "    RANGE := (" + Number(range.low) + " .. " + Number(range.high) + ");\n";
    for (int z = 1; z <= NumZones; ++z) {
      // The controller weighs each rule by its zone's first point times its first value.
      fcl += "    TERM " + names.outputZones[o][z] +
             " := " + Number(v.Zone[z].MFPValue[1] * v.Zone[z].MFValue[1]) + ";\n";
    }
    fcl += "    METHOD : COGS;\n";
    // The value kept when no rule fires must be one the output can take: inside its RANGE.
    fcl +=
        "    DEFAULT := " + FormatNumber(std::clamp(v.PVIN, range.low, range.high), "####0.000") +
        ";\n";
    fcl += "END_DEFUZZIFY\n";
  }

  for (int op = 1; op <= NumOperators; ++op) {
    std::string rules;
    for (int r = 1; r <= NumRules; ++r) {
      if (RuleFitsFcl(model, r) && OperatorSlot(model, model.Rules[r].Operator) == op) {
        rules += RuleLine(model, names, r);
      }
    }
    if (rules.empty()) continue;
    fcl += "\nRULEBLOCK " + FclIdentifier(model.OperatorNames[op]) + "\n";
    fcl += std::string("    ") + kFclOperators[op].connective + " : " + kFclOperators[op].method +
           ";\n" + rules + "END_RULEBLOCK\n";
  }

  fcl += '\n';
  fcl += kFclNoteOpen;
  fcl += '\n';
  for (const FclNoteField& note : FclNoteFields(model)) {
    if (!FclNoteSaysMore(model, names, note.key)) continue;
    fcl += note.key + ": " + EscapeNoteValue(note.value) + "\n";
  }
  fcl += "*)\n\nEND_FUNCTION_BLOCK\n";
  return fcl;
}

}  // namespace kavro
