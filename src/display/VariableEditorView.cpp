#include "display/VariableEditorView.h"

#include <string>

#include "common/NumberText.h"
#include "edit/ReadinessCheck.h"
#include "edit/VariableEditor.h"
#include "edit/VariableFields.h"
#include "model/MainGrid.h"
#include "model/WindowState.h"

namespace kavro {

namespace {

constexpr std::array<const char*, zones::kCols> kZoneHeadings = {"Zone Name", "Item",    "Point 1",
                                                                 "Point 2",   "Point 3", "Point 4"};

void FillLabels(VariableEditor& e) {
  for (int row = 0; row < items::kRows; ++row) e.MSHFlexGrid2.SetText(row, 0, items::kLabels[row]);
  e.MSHFlexGrid2.SetText(0, items::kValueCol, "Value");
  for (int col = 0; col < zones::kCols; ++col) e.MSHFlexGrid3.SetText(0, col, kZoneHeadings[col]);
  for (int z = 1; z <= NumZones; ++z) {
    e.MSHFlexGrid3.SetText(zones::ValueRow(z), zones::kLabelCol, "Process Value");
    e.MSHFlexGrid3.SetText(zones::MembershipRow(z), zones::kLabelCol, "MF Value");
  }
}

}  // namespace

void ShowVariableEditor(const Controller& controller, VariableEditor& e, int column) {
  const ControllerModel& m = controller.model;
  const EditedVariable v = VariableOfColumn(column);
  e = VariableEditor{};
  e.isOutput = v.isOutput;
  e.slot = v.slot;
  FillLabels(e);
  const int lastRow = e.isOutput ? items::kRows - 1 : items::kLastInputRow;
  if (e.isOutput) {
    const PVarOutRecord& out = m.PVarOut[e.slot];
    const auto fields = items::OutputTextFields(out);
    for (int row = 1; row <= items::kTextItems; ++row) e.MSHFlexGrid2.SetText(row, 1, *fields[row]);
    const auto numbers = items::OutputNumbers(out);
    for (int i = 0; i < 3; ++i) {
      const std::string text = GeneralNumber(*numbers[i]);
      e.MSHFlexGrid2.SetText(items::kFirstNumberRow + i, 1, text);
      e.loadedNumbers[i] = ToSingle(text);  // as OK reads the untouched cell back
    }
    e.frame3Visible = true;
    e.optOutputType = out.OutputType == kIncr ? 0 : 1;
  } else {
    const auto fields = items::InputTextFields(m.PVarIn[e.slot]);
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

void ShowVariableStored(const Controller& controller, VariableEditor& e) {
  const int column = e.isOutput ? grid::OutputColumn(e.slot) : grid::InputColumn(e.slot);
  e.warnings.clear();
  for (const ReadinessProblem& problem : ReadinessProblems(controller.model)) {
    if (problem.column == column) e.warnings.push_back(problem.text);
  }
  e.visible = false;
}

void HideVariableEditor(VariableEditor& editor) {
  editor.visible = false;
}

}  // namespace kavro
