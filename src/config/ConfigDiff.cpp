#include "config/ConfigDiff.h"

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "config/ConfigFile.h"
#include "config/ConfigLines.h"
#include "model/VariableLabel.h"

namespace kavro {

namespace {

struct Field {
  std::string name;    // empty: a structure line, no field
  bool whole = false;  // the whole line is the value (no label before it)
};

// Names the lines of a saved configuration from the block, zone and position each stands in.
// The file's layout is fixed, so line n is the same field in both configurations.
class LineNamer {
 public:
  LineNamer(const ControllerModel& before, const ControllerModel& after)
      : before_(before), after_(after) {}

  Field Name(const std::string& line) {
    if (positional_ > 0) return {Positional(), true};
    const std::optional<std::string> key = LineKey(line);
    if (!key) return {};
    if (StartsWith(*key, "Start_")) {
      Begin(key->substr(6));
      return {};
    }
    if (StartsWith(*key, "End_")) {
      section_ = Section::Top;
      return {};
    }
    if (*key == "Index") {
      slot_ = static_cast<int>(LeadingNumber(LineValue(line)));
      if (section_ == Section::Rule) positional_ = NumTerms + 1;
      if (section_ == Section::DeFuzz) positional_ = 1;
      return {};
    }
    if (IsVariableSection()) return {VariableField(*key)};
    return {*key};
  }

 private:
  enum class Section { Top, Block, Input, Output, Rule, DeFuzz, Mode };

  bool IsVariableSection() const {
    return section_ == Section::Input || section_ == Section::Output;
  }
  bool IsOutput() const { return section_ == Section::Output; }

  void Begin(const std::string& block) {
    section_ = block == "PVarIn"        ? Section::Input
               : block == "PVarOut"     ? Section::Output
               : block == "Rule"        ? Section::Rule
               : block == "DeFuzz"      ? Section::DeFuzz
               : block == "ControlMode" ? Section::Mode
                                        : Section::Block;
    zone_ = 0;
    slot_ = 0;
    if (section_ == Section::Mode) positional_ = 1;
  }

  // Named as before the change, or as after it where it had no name before.
  std::string VariableName(bool output, int slot) const {
    const std::string& name =
        output ? before_.PVarOut[slot].PVarName : before_.PVarIn[slot].PVarName;
    return VariableLabel(IsAllSpaces(name) ? after_ : before_, output, slot);
  }
  std::string ZoneName() const {
    const auto& a = IsOutput() ? before_.PVarOut[slot_].Zone : before_.PVarIn[slot_].Zone;
    const auto& b = IsOutput() ? after_.PVarOut[slot_].Zone : after_.PVarIn[slot_].Zone;
    return IsAllSpaces(a[zone_].MFName) ? b[zone_].MFName : a[zone_].MFName;
  }
  std::string ZoneLabel() const {
    return VariableName(IsOutput(), slot_) + " zone " + std::to_string(zone_);
  }

  std::string VariableField(const std::string& key) {
    if (key == "PVarName") {
      return (IsOutput() ? "Output " : "Input ") + std::to_string(slot_) + " PVarName";
    }
    if (key == "MFName") {
      ++zone_;
      return ZoneLabel() + " name";
    }
    if (key == "MFPValue" || key == "MFValue") {
      membership_ = key == "MFValue";
      positional_ = NumPoints;
      return {};
    }
    return VariableName(IsOutput(), slot_) + " " + key;
  }

  std::string Positional() {
    --positional_;
    if (section_ == Section::Rule) {
      const int item = NumTerms + 1 - positional_;  // terms 1..8, then the operator
      const std::string rule = RuleLabel(slot_);
      if (item > NumTerms) return rule + " operator";
      const TermVariable v = VariableOfTerm(item);
      return rule + " term " + std::to_string(item) + " (" + VariableName(!v.isInput, v.slot) + ")";
    }
    if (section_ == Section::DeFuzz) return "DeFuzz " + std::to_string(slot_);
    if (section_ == Section::Mode) return "ControlMode";
    return ZoneLabel() + " (" + ZoneName() + ") " + (membership_ ? "MF value " : "point ") +
           std::to_string(NumPoints - positional_);
  }

  const ControllerModel& before_;
  const ControllerModel& after_;
  Section section_ = Section::Top;
  bool membership_ = false;
  int slot_ = 0;
  int zone_ = 0;
  int positional_ = 0;  // lines still to come whose meaning is their position
};

std::string ValueOf(const std::string& line, bool whole) {
  if (whole) return line;
  return Trim(line.substr(line.find(':') + 1));
}

}  // namespace

std::vector<std::string> ConfigDifferences(const ControllerModel& before,
                                           const ControllerModel& after) {
  // Line 2 is the save date, and the date is no part of the configuration.
  const std::vector<std::string> a = SplitConfigLines(ConfigText(before, ""));
  const std::vector<std::string> b = SplitConfigLines(ConfigText(after, ""));
  std::vector<std::string> differences;
  LineNamer namer(before, after);
  for (size_t n = 0; n < a.size() && n < b.size(); ++n) {
    const Field field = namer.Name(a[n]);
    if (a[n] == b[n] || field.name.empty()) continue;
    differences.push_back(field.name + ": " + ValueOf(a[n], field.whole) + " -> " +
                          ValueOf(b[n], field.whole));
  }
  return differences;
}

}  // namespace kavro
