#include "config/FclNotes.h"

#include <array>
#include <cctype>
#include <functional>
#include <sstream>

#include "common/NumberText.h"

namespace kavro {
namespace {

// One field: how to write it and how to set it from text.
struct FieldAccess {
  std::string key;
  std::function<std::string()> get;
  std::function<bool(const std::string&)> set;
};

const char* const kRealPattern = "####0.000";

// A text of the model: a plain one or a rule-base text (a zone name, a rule term).
template <typename Text>
FieldAccess TextField(std::string key, Text& field) {
  return {std::move(key), [&field] { return std::string(static_cast<const std::string&>(field)); },
          [&field](const std::string& v) {
            field = v;
            return true;
          }};
}

FieldAccess RealField(std::string key, float& field) {
  return {std::move(key), [&field] { return FormatNumber(field, kRealPattern); },
          [&field](const std::string& v) {
            const auto value = SingleIfInRange(v);
            if (!value) return false;
            field = *value;
            return true;
          }};
}

FieldAccess CountField(std::string key, int16_t& field) {
  return {std::move(key), [&field] { return FormatNumber(field, "##0"); },
          [&field](const std::string& v) {
            const auto n = NumberIfInRange(v);
            if (!n || !(*n >= -32768 && *n <= 32767)) return false;
            field = ToInt16(*n);
            return true;
          }};
}

FieldAccess FlagField(std::string key, bool& field) {
  return {std::move(key), [&field] { return std::string(field ? "True" : "False"); },
          [&field](const std::string& v) {
            if (v != "True" && v != "False") return false;
            field = v == "True";
            return true;
          }};
}

// The four points and four values of a zone, in one line.
FieldAccess PointsField(std::string key, MFZone& zone) {
  return {std::move(key),
          [&zone] {
            std::string text;
            for (int p = 1; p <= NumPoints; ++p)
              text += FormatNumber(zone.MFPValue[p], kRealPattern) + " ";
            for (int p = 1; p <= NumPoints; ++p) {
              text += FormatNumber(zone.MFValue[p], kRealPattern) + (p < NumPoints ? " " : "");
            }
            return text;
          },
          [&zone](const std::string& v) {
            std::istringstream words(v);
            std::array<float, 2 * NumPoints> numbers{};
            for (float& number : numbers) {
              std::string part;
              if (!(words >> part)) return false;
              const auto value = SingleIfInRange(part);
              if (!value) return false;
              number = *value;
            }
            std::string extra;
            if (words >> extra) return false;
            for (int p = 1; p <= NumPoints; ++p) {
              zone.MFPValue[p] = numbers[p - 1];
              zone.MFValue[p] = numbers[NumPoints + p - 1];
            }
            return true;
          }};
}

template <typename Variable>
void AddVariableFields(std::vector<FieldAccess>& fields, const std::string& place, Variable& v) {
  fields.push_back(TextField(place + ".PVarName", v.PVarName));
  fields.push_back(TextField(place + ".Units", v.Units));
  fields.push_back(TextField(place + ".DCSTagPV", v.DCSTagPV));
  fields.push_back(TextField(place + ".DCSTagHigh", v.DCSTagHigh));
  fields.push_back(TextField(place + ".DCSTagLow", v.DCSTagLow));
  fields.push_back(RealField(place + ".PVHigh", v.PVHigh));
  fields.push_back(RealField(place + ".PVIN", v.PVIN));
  fields.push_back(RealField(place + ".PVLow", v.PVLow));
  fields.push_back(TextField(place + ".PlotHi", v.PlotHi));
  fields.push_back(TextField(place + ".PlotLo", v.PlotLo));
}

void AddZoneFields(std::vector<FieldAccess>& fields, const std::string& place, ZoneTable& zones) {
  for (int z = 1; z <= NumZones; ++z) {
    const std::string zone = place + ".Zone" + std::to_string(z);
    fields.push_back(TextField(zone + ".MFName", zones[z].MFName));
    fields.push_back(PointsField(zone + ".Points", zones[z]));
  }
}

std::vector<FieldAccess> Fields(ControllerModel& model) {
  std::vector<FieldAccess> fields;
  fields.push_back(TextField("FLCVersion", model.FLCVersion));
  fields.push_back(TextField("Program_Interface", model.Program_Interface));
  fields.push_back(FlagField("RestartInterface", model.RestartInterface));
  FLCBlockRecord& block = model.FLCBlock;
  fields.push_back(TextField("Name1", block.Name1));
  fields.push_back(TextField("LinkAppl", block.LinkAppl));
  fields.push_back(TextField("Link2Appl", block.Link2Appl));
  fields.push_back(TextField("LinkTopicName", block.LinkTopicName));
  fields.push_back(CountField("RunFrequency", block.RunFrequency));
  fields.push_back(CountField("LinkFrequency", block.LinkFrequency));
  fields.push_back(TextField("DCSRunFreq", block.DCSRunFreq));
  fields.push_back(TextField("DCSONOFF", block.DCSONOFF));
  fields.push_back(TextField("DCSWatchDog", block.DCSWatchDog));
  fields.push_back(TextField("DCSErrorCode", block.DCSErrorCode));
  fields.push_back(FlagField("SlopeCorr", block.SlopeCorr));
  for (int i = 1; i <= NumIn; ++i) {
    const std::string place = "In" + std::to_string(i);
    AddVariableFields(fields, place, model.PVarIn[i]);
    AddZoneFields(fields, place, model.PVarIn[i].Zone);
  }
  for (int o = 1; o <= NumOut; ++o) {
    const std::string place = "Out" + std::to_string(o);
    PVarOutRecord& v = model.PVarOut[o];
    AddVariableFields(fields, place, v);
    fields.push_back(TextField(place + ".DCSTagOut", v.DCSTagOut));
    fields.push_back(TextField(place + ".DCSMaxChange", v.DCSMaxChange));
    fields.push_back(TextField(place + ".DCSChangeTime", v.DCSChangeTime));
    fields.push_back(TextField(place + ".DCSWaitChange", v.DCSWaitChange));
    fields.push_back(RealField(place + ".Max_Change", v.Max_Change));
    fields.push_back(RealField(place + ".Change_Time", v.Change_Time));
    fields.push_back(RealField(place + ".Wait_Change", v.Wait_Change));
    fields.push_back(TextField(place + ".ValueOut", v.ValueOut));
    fields.push_back(TextField(place + ".OutputType", v.OutputType));
    AddZoneFields(fields, place, v.Zone);
  }
  for (int r = 1; r <= NumRules; ++r) {
    const std::string place = "Rule" + std::to_string(r);
    for (int k = 1; k <= NumTerms; ++k) {
      fields.push_back(TextField(place + ".Term" + std::to_string(k), model.Rules[r].Term[k]));
    }
    fields.push_back(TextField(place + ".Operator", model.Rules[r].Operator));
  }
  for (int d = 1; d <= NumDeFuzz; ++d) {
    fields.push_back(TextField("DeFuzz" + std::to_string(d), model.DeFuzz[d]));
  }
  fields.push_back(TextField("ControlMode", model.ControlMode));
  return fields;
}

}  // namespace

std::vector<FclNoteField> FclNoteFields(const ControllerModel& model) {
  ControllerModel copy = model;  // the accessors are built over a writable model
  std::vector<FclNoteField> notes;
  for (const FieldAccess& field : Fields(copy)) notes.push_back({field.key, field.get()});
  return notes;
}

bool SetFclNoteField(ControllerModel& model, const std::string& key, const std::string& value) {
  for (const FieldAccess& field : Fields(model)) {
    if (field.key == key) return field.set(value);
  }
  return false;
}

std::string EscapeNoteValue(const std::string& value) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string out;
  for (size_t k = 0; k < value.size(); ++k) {
    const auto c = static_cast<unsigned char>(value[k]);
    const bool lastBlank = k + 1 == value.size() && (c == ' ' || c == '\t');
    if (c == '%' || c == '*' || c < 0x20 || c == 0x7F || lastBlank) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string UnescapeNoteValue(const std::string& text) {
  std::string out;
  for (size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '%' && k + 2 < text.size() + 0 &&
        std::isxdigit(static_cast<unsigned char>(text[k + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[k + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(k + 1, 2), nullptr, 16));
      k += 2;
    } else {
      out += text[k];
    }
  }
  return out;
}

std::string FclIdentifier(const std::string& name) {
  static const std::array<const char*, 24> kKeywords = {
      "IF",          "THEN",          "IS",           "AND",        "OR",      "NOT",     "WITH",
      "RULE",        "TERM",          "REAL",         "RANGE",      "METHOD",  "DEFAULT", "FUZZIFY",
      "DEFUZZIFY",   "RULEBLOCK",     "VAR_INPUT",    "VAR_OUTPUT", "END_VAR", "TRIANG",  "TRAPEZ",
      "END_FUZZIFY", "END_DEFUZZIFY", "END_RULEBLOCK"};
  std::string id;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    id += (std::isalnum(u) != 0 && u < 0x80) || c == '_' ? c : '_';
  }
  if (id.empty() || std::isdigit(static_cast<unsigned char>(id[0])) != 0) return "_" + id;
  std::string upper;
  for (const char c : id) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const char* keyword : kKeywords) {
    if (upper == keyword) return "_" + id;
  }
  return id;
}

}  // namespace kavro
