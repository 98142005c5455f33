#include "edit/VariableEditor.h"

#include <array>
#include <optional>
#include <utility>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "config/ConfigLines.h"
#include "edit/DcsSuppliedValue.h"
#include "edit/EditMessage.h"
#include "edit/ReadinessCheck.h"
#include "model/MainGrid.h"
#include "model/WindowState.h"

namespace kavro {

namespace {

constexpr std::array<const char*, items::kRows> kItemLabels = {
    "Item",       "Var Name",    "Units",         "DCS PV",         "DCS High",
    "DCS Low",    "DCS Out",     "DCS MaxChange", "DCS ChangeTime", "DCS WaitChange",
    "Max Change", "Change Time", "Wait Change"};
constexpr std::array<const char*, zones::kCols> kZoneHeadings = {"Zone Name", "Item",    "Point 1",
                                                                 "Point 2",   "Point 3", "Point 4"};
constexpr int kTextItems = 9;  // rows 1..9 are texts, 10..12 numbers
constexpr std::array<const char*, kTextItems + 1> kTextFieldNames = {
    "",          "PVarName",  "Units",        "DCSTagPV",      "DCSTagHigh",
    "DCSTagLow", "DCSTagOut", "DCSMaxChange", "DCSChangeTime", "DCSWaitChange"};
constexpr std::array<const char*, 3> kNumberFieldNames = {"Max_Change", "Change_Time",
                                                          "Wait_Change"};

// The output's numbers in item-grid order.
template <class Out>
auto OutputNumbers(Out& out) {
  return std::array<decltype(&out.Max_Change), 3>{&out.Max_Change, &out.Change_Time,
                                                  &out.Wait_Change};
}

// The text fields of either record by item row 1..9 (an input has rows 1..5 only); const or
// not as the record is.
template <class Out>
auto OutputTextFields(Out& out) {
  return std::array<decltype(&out.PVarName), kTextItems + 1>{
      nullptr,        &out.PVarName,  &out.Units,        &out.DCSTagPV,      &out.DCSTagHigh,
      &out.DCSTagLow, &out.DCSTagOut, &out.DCSMaxChange, &out.DCSChangeTime, &out.DCSWaitChange};
}
template <class In>
auto InputTextFields(In& in) {
  return std::array<decltype(&in.PVarName), items::kLastInputRow + 1>{
      nullptr, &in.PVarName, &in.Units, &in.DCSTagPV, &in.DCSTagHigh, &in.DCSTagLow};
}

ZoneTable& ZonesOf(ControllerModel& m, const VariableEditor& e) {
  return e.isOutput ? m.PVarOut[e.slot].Zone : m.PVarIn[e.slot].Zone;
}

void FillLabels(VariableEditor& e) {
  for (int row = 0; row < items::kRows; ++row) e.MSHFlexGrid2.SetText(row, 0, kItemLabels[row]);
  e.MSHFlexGrid2.SetText(0, items::kValueCol, "Value");
  for (int col = 0; col < zones::kCols; ++col) e.MSHFlexGrid3.SetText(0, col, kZoneHeadings[col]);
  for (int z = 1; z <= NumZones; ++z) {
    e.MSHFlexGrid3.SetText(zones::ValueRow(z), zones::kLabelCol, "Process Value");
    e.MSHFlexGrid3.SetText(zones::MembershipRow(z), zones::kLabelCol, "MF Value");
  }
}

// What the apply would store, all read before anything is.
struct ReadEntries {
  std::array<float, 3> numbers{};  // Max_Change, Change_Time, Wait_Change (outputs)
  ZoneTable zones{};
};

void ShowNumberFailure(Controller& c, const KavroError& error) {
  ShowEditMessage(c,
                  std::string("Please Recheck All Numeric Data For Errors") + kCrLf + "Error No. " +
                      FormatNumber(error.Number(), "#####0") + kCrLf + "Error - " +
                      error.Description(),
                  c.model.FLCBlock.Name1, MsgIcon::Exclamation);
}

// The ascending-order check of the points; a point that is not a number fails as a number.
bool PointsInOrder(Controller& c, const CellTable& zoneGrid) {
  for (int z = 1; z <= NumZones; ++z) {
    const int row = zones::ValueRow(z);
    for (int p = 1; p < NumPoints; ++p) {
      float lower = 0;
      float upper = 0;
      try {
        lower = ToSingle(zoneGrid.Text(row, zones::PointCol(p)));
        upper = ToSingle(zoneGrid.Text(row, zones::PointCol(p + 1)));
      } catch (const KavroError& error) {
        ShowNumberFailure(c, error);
        return false;
      }
      if (upper < lower) {
        ShowEditMessage(c,
                        "Zone " + FormatNumber(z, "#0") + " (" +
                            zoneGrid.Text(row, zones::kNameCol) + ")" +
                            " Process Values Are Not In Ascending Order - Please Correct",
                        c.model.ProductName, MsgIcon::Critical);
        return false;
      }
    }
  }
  return true;
}

// A number the DCS supplies while the link is on: typed over, the edit is refused (false); left
// as loaded, it takes the DCS's present value, so OK neither stores nor records it.
bool TakeDcsSuppliedNumbers(Controller& c, const VariableEditor& e, ReadEntries& read) {
  if (!e.isOutput) return true;
  const PVarOutRecord& out = c.model.PVarOut[e.slot];
  const auto numbers = OutputNumbers(out);
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const std::string* tag = DcsTagOfValue(c.model, *numbers[i]);
    if (tag == nullptr || !DcsSuppliesValue(c.model, *tag)) continue;
    if (read.numbers[i] != e.loadedNumbers[i]) {
      RefuseDcsSuppliedEdit(c, VariableLabel(c.model, true, e.slot) + " " + kItemLabels[10 + i],
                            *tag);
      return false;
    }
    read.numbers[i] = *numbers[i];
  }
  return true;
}

std::optional<ReadEntries> ReadAllEntries(Controller& c, const VariableEditor& e) {
  ReadEntries read;
  try {
    if (e.isOutput) {
      for (int i = 0; i < 3; ++i) {
        read.numbers[i] =
            ToSingle(e.MSHFlexGrid2.Text(items::kFirstNumberRow + i, items::kValueCol));
      }
    }
    for (int z = 1; z <= NumZones; ++z) {
      read.zones[z].MFName = e.MSHFlexGrid3.Text(zones::ValueRow(z), zones::kNameCol);
      for (int p = 1; p <= NumPoints; ++p) {
        read.zones[z].MFPValue[p] =
            ToSingle(e.MSHFlexGrid3.Text(zones::ValueRow(z), zones::PointCol(p)));
        read.zones[z].MFValue[p] =
            ToSingle(e.MSHFlexGrid3.Text(zones::MembershipRow(z), zones::PointCol(p)));
      }
    }
  } catch (const KavroError& error) {
    ShowNumberFailure(c, error);
    return std::nullopt;
  }
  return read;
}

class FieldStore {
 public:
  FieldStore(AuditTrail& audit, std::string variable)
      : audit_(audit), variable_(std::move(variable)) {}
  // into: a plain text or a rule-base text (a zone name).
  template <typename Field>
  void Text(const std::string& field, Field& into, const std::string& value) {
    Note(field, into, value);
    into = value;
  }
  void Number(const std::string& field, float& into, float value) {
    if (into != value) Note(field, GeneralNumber(into), GeneralNumber(value));
    into = value;
  }
  bool changed = false;

 private:
  void Note(const std::string& field, const std::string& from, const std::string& to) {
    if (from == to) return;
    changed = true;
    audit_.Record(variable_ + " " + field, from, to);
  }
  AuditTrail& audit_;
  std::string variable_;
};

void StoreZones(FieldStore& store, ZoneTable& into, const ZoneTable& from) {
  for (int z = 1; z <= NumZones; ++z) {
    const std::string zone = "zone " + std::to_string(z);
    store.Text(zone + " name", into[z].MFName, from[z].MFName);
    const std::string named = zone + " (" + into[z].MFName + ")";
    for (int p = 1; p <= NumPoints; ++p) {
      store.Number(named + " point " + std::to_string(p), into[z].MFPValue[p], from[z].MFPValue[p]);
      store.Number(named + " MF value " + std::to_string(p), into[z].MFValue[p],
                   from[z].MFValue[p]);
    }
  }
}

}  // namespace

EditedVariable VariableOfColumn(int column) {
  if (column < grid::kCols - NumOut) return {false, column - 1};
  return {true, column - NumIn - 1};
}

void LoadVariableEditor(const Controller& controller, VariableEditor& e, int column) {
  const ControllerModel& m = controller.model;
  const EditedVariable v = VariableOfColumn(column);
  e = VariableEditor{};
  e.isOutput = v.isOutput;
  e.slot = v.slot;
  FillLabels(e);
  const int lastRow = e.isOutput ? items::kRows - 1 : items::kLastInputRow;
  if (e.isOutput) {
    const PVarOutRecord& out = m.PVarOut[e.slot];
    const auto fields = OutputTextFields(out);
    for (int row = 1; row <= kTextItems; ++row) e.MSHFlexGrid2.SetText(row, 1, *fields[row]);
    const auto numbers = OutputNumbers(out);
    for (int i = 0; i < 3; ++i) {
      const std::string text = GeneralNumber(*numbers[i]);
      e.MSHFlexGrid2.SetText(items::kFirstNumberRow + i, 1, text);
      e.loadedNumbers[i] = ToSingle(text);  // as OK reads the untouched cell back
    }
    e.frame3Visible = true;
    e.optOutputType = out.OutputType == kIncr ? 0 : 1;
  } else {
    const auto fields = InputTextFields(m.PVarIn[e.slot]);
    for (int row = 1; row <= items::kLastInputRow; ++row)
      e.MSHFlexGrid2.SetText(row, 1, *fields[row]);
  }
  // Rows an input does not have are greyed, so the operator sees they cannot be changed.
  for (int row = items::kLastInputRow + 1; row < items::kRows; ++row) {
    e.MSHFlexGrid2.At(row, items::kValueCol).backColour = row <= lastRow ? kWhite : kFaceColour;
  }
  const ZoneTable& zoneTable = e.isOutput ? m.PVarOut[e.slot].Zone : m.PVarIn[e.slot].Zone;
  for (int z = 1; z <= NumZones; ++z) {
    e.MSHFlexGrid3.SetText(zones::ValueRow(z), zones::kNameCol, zoneTable[z].MFName);
    for (int p = 1; p <= NumPoints; ++p) {
      e.MSHFlexGrid3.SetText(zones::ValueRow(z), zones::PointCol(p),
                             FormatNumber(zoneTable[z].MFPValue[p], "###0.000"));
      e.MSHFlexGrid3.SetText(zones::MembershipRow(z), zones::PointCol(p),
                             FormatNumber(zoneTable[z].MFValue[p], "###0.000"));
    }
  }
  e.visible = true;
}

bool ApplyVariableEdit(Controller& controller, VariableEditor& e, AuditTrail& audit) {
  if (!PointsInOrder(controller, e.MSHFlexGrid3)) return false;
  std::optional<ReadEntries> read = ReadAllEntries(controller, e);
  if (!read || !TakeDcsSuppliedNumbers(controller, e, *read)) return false;

  ControllerModel& m = controller.model;
  FieldStore store(audit, VariableLabel(m, e.isOutput, e.slot));
  auto cell = [&](int row) { return e.MSHFlexGrid2.Text(row, items::kValueCol); };
  if (e.isOutput) {
    PVarOutRecord& out = m.PVarOut[e.slot];
    const auto fields = OutputTextFields(out);
    for (int row = 1; row <= kTextItems; ++row)
      store.Text(kTextFieldNames[row], *fields[row], cell(row));
    const auto numbers = OutputNumbers(out);
    for (int i = 0; i < 3; ++i)
      store.Number(kNumberFieldNames[i], *numbers[i], read->numbers[i]);
    store.Text("OutputType", out.OutputType, e.optOutputType == 0 ? kIncr : kAbs);
  } else {
    const auto fields = InputTextFields(m.PVarIn[e.slot]);
    for (int row = 1; row <= items::kLastInputRow; ++row) {
      store.Text(kTextFieldNames[row], *fields[row], cell(row));
    }
  }
  StoreZones(store, ZonesOf(m, e), read->zones);
  if (store.changed) m.ChangesPending = true;

  const int column = e.isOutput ? grid::OutputColumn(e.slot) : grid::InputColumn(e.slot);
  e.warnings.clear();
  for (const ReadinessProblem& problem : ReadinessProblems(m)) {
    if (problem.column == column) e.warnings.push_back(problem.text);
  }
  e.visible = false;
  return true;
}

void CancelVariableEdit(Controller& controller, VariableEditor& editor) {
  if (controller.model.ChangesPending &&
      ShowEditMessage(controller, "Any Changes Made Will Not Be Saved - Continue?",
                      controller.model.FLCBlock.Name1, MsgIcon::Question,
                      MsgButtons::YesNo) == MsgAnswer::No) {
    return;
  }
  editor.visible = false;
}

}  // namespace kavro
