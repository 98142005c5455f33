#include "config/FclImport.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "common/NumberText.h"
#include "config/FclNotes.h"
#include "config/FclRead.h"
#include "config/FclShape.h"
#include "model/ZoneRange.h"

namespace kavro {
namespace {

// A variable keeps its noted name while the FCL text still names it so; else it takes the id.
template <typename Variable, size_t N>
void NameVariables(const std::vector<Token>& declared, std::map<std::string, int>& slots,
                   const FclNotes& notes, const std::string& kind,
                   std::array<Variable, N>& variables) {
  for (const Token& id : declared) {
    const int slot = slots[id.text];
    const std::string* name = NoteValue(notes, kind + std::to_string(slot) + ".PVarName");
    variables[slot].PVarName = name && NameAgrees(*name, id.text) ? *name : id.text;
  }
}

// The configuration the file gives: the defaults, then the notes, then what the FCL text says,
// each part in the place FclShape gives it.
FclImportResult Import(const std::string& text, const std::string& workDir) {
  const FclFile file = ReadFcl(text);
  const FclNotes& notes = file.notes;

  FclImportResult result;
  ControllerModel& model = result.model;
  ResetModel(model, workDir);
  ApplyDefaults(model);
  for (int r = 1; r <= NumRules; ++r) {
    for (int k = 1; k <= NumTerms; ++k) model.Rules[r].Term[k] = kNotUsed;
    model.Rules[r].Operator = model.OperatorNames[1];
  }
  for (int o = 1; o <= NumOut; ++o) model.PVarOut[o].OutputType = kAbs;

  const RulePlaces rules = PlaceRules(file);
  const std::vector<int>& ruleSlots = rules.slots;
  const std::set<int>& ruleTaken = rules.taken;

  // Notes first; the FCL text then sets what it says, and names agree or the text wins.
  for (const auto& [note, value] : notes) {
    const std::string& key = note.text;
    if (key.rfind("Rule", 0) == 0) {
      const size_t dot = key.find('.');
      const std::string number = key.substr(4, dot == std::string::npos ? 0 : dot - 4);
      if (ruleTaken.count(RuleNumber(number)) != 0) continue;
    }
    if (!SetFclNoteField(model, key, value)) {
      throw FclFailure{"unknown note or bad value: " + key, note.line, 1};
    }
  }
  std::map<std::string, int> inputSlots = PlaceVariables(file.inputs, notes, "In", NumIn);
  std::map<std::string, int> outputSlots = PlaceVariables(file.outputs, notes, "Out", NumOut);
  NameVariables(file.inputs, inputSlots, notes, "In", model.PVarIn);
  NameVariables(file.outputs, outputSlots, notes, "Out", model.PVarOut);
  if (file.name.empty() || !NameAgrees(model.FLCBlock.Name1, file.name))
    model.FLCBlock.Name1 = file.name;

  for (const Token& id : file.inputs) {
    PVarInRecord& v = model.PVarIn[inputSlots[id.text]];
    const auto& terms = TermsOf(file.fuzzify, id, "FUZZIFY");
    for (size_t z = 0; z < terms.size(); ++z) {
      MFZone& zone = v.Zone[z + 1];
      if (!NameAgrees(zone.MFName, terms[z].id) ||
          !NoteValue(notes, "In" + std::to_string(inputSlots[id.text]) + ".Zone" +
                                std::to_string(z + 1) + ".MFName")) {
        zone.MFName = terms[z].id;
      }
      zone.MFPValue = terms[z].points;
      zone.MFValue = terms[z].values;
    }
  }
  for (const Token& id : file.outputs) {
    const int slot = outputSlots[id.text];
    PVarOutRecord& v = model.PVarOut[slot];
    const auto& terms = TermsOf(file.defuzzify, id, "DEFUZZIFY");
    for (size_t z = 0; z < terms.size(); ++z) {
      MFZone& zone = v.Zone[z + 1];
      const std::string place = "Out" + std::to_string(slot) + ".Zone" + std::to_string(z + 1);
      if (!NameAgrees(zone.MFName, terms[z].id) || !NoteValue(notes, place + ".MFName")) {
        zone.MFName = terms[z].id;
      }
      // The noted points stand while they still weigh the rule as the singleton says.
      const bool notedAgrees = NoteValue(notes, place + ".Points") &&
                               FormatNumber(zone.MFPValue[1] * zone.MFValue[1], "###0.000") ==
                                   FormatNumber(terms[z].singleton, "###0.000");
      if (!notedAgrees) {
        zone.MFPValue = terms[z].points;
        zone.MFValue = terms[z].values;
      }
    }
    // Export writes the noted PVIN held inside RANGE as DEFAULT: a noted PVIN that still gives
    // that DEFAULT stands; another DEFAULT is an edit and wins.
    const auto fallback = file.defaults.find(id.text);
    if (fallback != file.defaults.end() && fallback->second) {
      const ZoneSpan range = ZoneRange(v.Zone);
      const bool notedAgrees =
          NoteValue(notes, "Out" + std::to_string(slot) + ".PVIN") &&
          FormatNumber(std::clamp(v.PVIN, range.low, range.high), "####0.000") ==
              FormatNumber(*fallback->second, "####0.000");
      if (!notedAgrees) v.PVIN = *fallback->second;
    }
  }
  for (const auto& [name, terms] : file.fuzzify) {
    if (inputSlots.count(name) == 0) {
      throw FclFailure{"FUZZIFY " + name + " is not an input", terms.empty() ? 0 : terms[0].at.line,
                       1};
    }
  }

  for (size_t n = 0; n < file.rules.size(); ++n) {
    const RuleText& text = file.rules[n];
    Rule& rule = model.Rules[ruleSlots[n]];
    rule.Operator = model.OperatorNames[text.op];
    for (const auto& [parts, isInput] :
         {std::pair{&text.conditions, true}, std::pair{&text.conclusions, false}}) {
      for (const Condition& c : *parts) {
        const auto& slots = isInput ? inputSlots : outputSlots;
        const auto found = slots.find(c.variable.text);
        if (found == slots.end()) {
          throw FclFailure{std::string("no ") + (isInput ? "input " : "output ") + c.variable.text,
                           c.variable.line, c.variable.column};
        }
        const int slot = found->second;
        const int k = isInput ? slot : NumIn + slot;
        if (!IsNotUsed(rule.Term[k])) {
          throw FclFailure{c.variable.text + " appears twice in a rule", c.variable.line,
                           c.variable.column};
        }
        const auto& terms = TermsOf(isInput ? file.fuzzify : file.defuzzify, c.variable,
                                    isInput ? "FUZZIFY" : "DEFUZZIFY");
        rule.Term[k] = ZonesOfTerm(model, k)[ZoneOfTerm(terms, c.term)].MFName;
      }
    }
  }
  return result;
}

}  // namespace

FclImportResult ImportFclText(const std::string& text, const std::string& workDir) {
  try {
    return Import(text, workDir);
  } catch (const FclFailure& failure) {
    FclImportResult result;
    result.error = failure.message;
    result.line = failure.line;
    result.column = failure.column;
    return result;
  }
}

}  // namespace kavro
