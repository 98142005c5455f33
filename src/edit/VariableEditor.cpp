#include "edit/VariableEditor.h"

#include <array>
#include <optional>
#include <utility>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "config/ConfigLines.h"
#include "edit/DcsSuppliedValue.h"
#include "edit/EditMessage.h"
#include "edit/VariableFields.h"
#include "model/MainGrid.h"

namespace kavro {

namespace {

using items::InputTextFields;
using items::kTextItems;
using items::OutputNumbers;
using items::OutputTextFields;

constexpr std::array<const char*, kTextItems + 1> kTextFieldNames = {
    "",          "PVarName",  "Units",        "DCSTagPV",      "DCSTagHigh",
    "DCSTagLow", "DCSTagOut", "DCSMaxChange", "DCSChangeTime", "DCSWaitChange"};
constexpr std::array<const char*, 3> kNumberFieldNames = {"Max_Change", "Change_Time",
                                                          "Wait_Change"};

ZoneTable& ZonesOf(ControllerModel& m, const VariableEditor& e) {
  return e.isOutput ? m.PVarOut[e.slot].Zone : m.PVarIn[e.slot].Zone;
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
      RefuseDcsSuppliedEdit(c, VariableLabel(c.model, true, e.slot) + " " + items::kLabels[10 + i],
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
    for (int i = 0; i < 3; ++i) store.Number(kNumberFieldNames[i], *numbers[i], read->numbers[i]);
    store.Text("OutputType", out.OutputType, e.optOutputType == 0 ? kIncr : kAbs);
  } else {
    const auto fields = InputTextFields(m.PVarIn[e.slot]);
    for (int row = 1; row <= items::kLastInputRow; ++row) {
      store.Text(kTextFieldNames[row], *fields[row], cell(row));
    }
  }
  StoreZones(store, ZonesOf(m, e), read->zones);
  if (store.changed) m.ChangesPending = true;
  return true;
}

bool CancelVariableEdit(Controller& controller) {
  return !controller.model.ChangesPending ||
         ShowEditMessage(controller, "Any Changes Made Will Not Be Saved - Continue?",
                         controller.model.FLCBlock.Name1, MsgIcon::Question,
                         MsgButtons::YesNo) != MsgAnswer::No;
}

}  // namespace kavro
