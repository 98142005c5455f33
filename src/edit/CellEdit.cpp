#include "edit/CellEdit.h"

#include <algorithm>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "edit/DcsSuppliedValue.h"
#include "edit/EditMessage.h"
#include "edit/VariableEditor.h"
#include "model/MainGrid.h"
#include "model/VariableLabel.h"

namespace kavro {

namespace {

inline constexpr int kFixedRows = 1;  // every grid has one heading row

// Cells hold singles, and the cycle reads them as singles: a number beyond that range would stop
// every cycle with an overflow, so it is refused like a text that is no number.
bool ReadsAsSingle(const std::string& text) {
  if (!IsNumeric(text)) return false;
  try {
    ToSingle(text);
    return true;
  } catch (const KavroError&) {
    return false;
  }
}

bool IsNumberCell(EditGrid which, int row, int col) {
  switch (which) {
    case EditGrid::Main:
      return row >= grid::kRowHigh && row <= grid::kRowLow;
    case EditGrid::Item:
      return row >= items::kFirstNumberRow && row < items::kRows;
    case EditGrid::Zone:
      return col >= zones::PointCol(1) && col <= zones::PointCol(NumPoints);
  }
  return false;
}

const char* LimitRowName(int row) {
  switch (row) {
    case grid::kRowHigh:
      return "High Target";
    case grid::kRowValue:
      return "PValue";
    default:
      return "Low Target";
  }
}

// What a main-grid cell stands for in the audit trail; empty for cells that are display only.
std::string AuditNameOfMainCell(const ControllerModel& model, int row, int col) {
  if (row >= grid::kRowHigh && row <= grid::kRowLow && col >= grid::InputColumn(1)) {
    const EditedVariable v = VariableOfColumn(col);
    return VariableLabel(model, v.isOutput, v.slot) + " " + LimitRowName(row);
  }
  if (row >= grid::kFirstRuleRow && row <= grid::kLastRuleRow && col == grid::kColController) {
    return RuleLabel(grid::RuleOfRow(row)) + " operator";
  }
  return {};
}

// The model field a main-grid limit or process-value cell stands for; null for other cells.
float* ValueFieldOfMainCell(ControllerModel& model, int row, int col) {
  if (row < grid::kRowHigh || row > grid::kRowLow || col < grid::InputColumn(1)) return nullptr;
  const EditedVariable v = VariableOfColumn(col);
  auto pick = [row](auto& variable) {
    return row == grid::kRowHigh ? &variable.PVHigh
                                 : (row == grid::kRowValue ? &variable.PVIN : &variable.PVLow);
  };
  return v.isOutput ? pick(model.PVarOut[v.slot]) : pick(model.PVarIn[v.slot]);
}

// While the link is on the cycle shows the model's values in these cells instead of reading
// them: a value the DCS supplies is refused (false), any other typed value goes to the model
// as well, or the next cycle would put the old one back.
bool TakeMainValueWithLinkOn(Controller& controller, const EditBox& box) {
  ControllerModel& model = controller.model;
  float* field = ValueFieldOfMainCell(model, box.row, box.col);
  if (field == nullptr || model.Link.LinkStatus != kOn) return true;
  const std::string* tag = DcsTagOfValue(model, *field);
  if (tag != nullptr && DcsSuppliesValue(model, *tag)) {
    RefuseDcsSuppliedEdit(controller, AuditNameOfMainCell(model, box.row, box.col), *tag);
    return false;
  }
  *field = ToSingle(box.text);
  return true;
}

}  // namespace

CellTable& GridOf(Controller& controller, ConfigEditState& edits, EditGrid which) {
  switch (which) {
    case EditGrid::Item:
      return edits.variable.MSHFlexGrid2;
    case EditGrid::Zone:
      return edits.variable.MSHFlexGrid3;
    case EditGrid::Main:
      break;
  }
  return controller.grid;
}

EditBox& EditBoxOf(ConfigEditState& edits, EditGrid which) {
  switch (which) {
    case EditGrid::Item:
      return edits.txtEdit2;
    case EditGrid::Zone:
      return edits.txtEdit3;
    case EditGrid::Main:
      break;
  }
  return edits.txtEdit1;
}

bool CanTypeInCell(const ConfigEditState& edits, EditGrid which, int row, int col) {
  switch (which) {
    case EditGrid::Main:
      return row >= 0 && row < grid::kRows - 1 && col >= 0 && col < grid::kCols &&
             (row < grid::kRowZoneName1 || row >= grid::kRowRulesHeader) &&
             (col < grid::InputColumn(1) || row < grid::kRowRulesHeader);
    case EditGrid::Item: {
      const int lastRow = edits.variable.isOutput ? items::kRows - 1 : items::kLastInputRow;
      return col == items::kValueCol && row >= kFixedRows && row <= lastRow;
    }
    case EditGrid::Zone:
      if (row < kFixedRows || row >= zones::kRows) return false;
      if (col == zones::kNameCol) return !zones::IsMembershipRow(row);
      if (edits.variable.isOutput) return col == zones::PointCol(1);
      return col >= zones::PointCol(1) && col <= zones::PointCol(NumPoints);
  }
  return false;
}

void KeyPressOnGrid(Controller& controller, ConfigEditState& edits, EditGrid which, int keyCode) {
  if (which == EditGrid::Main && controller.model.ScreenLocked) {
    ShowScreenLocked(controller);
    return;
  }
  const CellTable& cells = GridOf(controller, edits, which);
  if (!CanTypeInCell(edits, which, cells.CurrentRow(), cells.CurrentCol())) return;
  BeginCellEdit(controller, edits, which, keyCode);
}

void DoubleClickGrid(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                     EditGrid which, int row, int col) {
  CommitCellEdit(controller, edits, audit, which);
  SelectGridCell(controller, edits, which, row, col);
  if (which == EditGrid::Main) return;
  if (CanTypeInCell(edits, which, row, col)) BeginCellEdit(controller, edits, which, 0);
}

void SelectGridCell(Controller& controller, ConfigEditState& edits, EditGrid which, int row,
                    int col) {
  GridOf(controller, edits, which).SetCurrent(row, col);
  if (which != EditGrid::Main) return;
  controller.model.SelRow = static_cast<int16_t>(row);
  controller.model.SelCol = static_cast<int16_t>(col);
}

void MoveToGridCell(Controller& controller, ConfigEditState& edits, EditGrid which, int row,
                    int col) {
  if (EditBoxOf(edits, which).visible) return;
  SelectGridCell(controller, edits, which, row, col);
}

void ClickEditorGrid(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                     EditGrid which, int row, int col) {
  CommitCellEdit(controller, edits, audit, which);
  GridOf(controller, edits, which).SetCurrent(row, col);
  controller.model.ChangesPending = true;
}

void BeginCellEdit(Controller& controller, ConfigEditState& edits, EditGrid which, int keyCode) {
  const CellTable& cells = GridOf(controller, edits, which);
  EditBox& box = EditBoxOf(edits, which);
  box.row = cells.CurrentRow();
  box.col = cells.CurrentCol();
  box.text =
      keyCode > 32 ? std::string(1, static_cast<char>(keyCode)) : cells.Text(box.row, box.col);
  box.caret = static_cast<int>(box.text.size());
  box.visible = true;
  edits.editingGrid = static_cast<int>(which);
  controller.model.ChangesPending = true;
}

void EditBoxKeyDown(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                    EditGrid which, int keyCode) {
  switch (keyCode) {
    case kKeyEnter:
      CommitCellEdit(controller, edits, audit, which);
      return;
    case kKeyEscape:
      EditBoxOf(edits, which).visible = false;
      return;
    case kKeyUp:
    case kKeyDown: {
      CommitCellEdit(controller, edits, audit, which);
      controller.ports.events->ProcessEvents();
      CellTable& cells = GridOf(controller, edits, which);
      const int row = cells.CurrentRow();
      if (keyCode == kKeyUp && row > kFixedRows) cells.SetCurrent(row - 1, cells.CurrentCol());
      if (keyCode == kKeyDown && row < cells.Rows() - 1)
        cells.SetCurrent(row + 1, cells.CurrentCol());
      return;
    }
    default:
      return;
  }
}

void CheckNumberCell(Controller& controller, const CellTable& cells, EditBox& box, EditGrid which) {
  if (!ReadsAsSingle(box.text)) {
    ShowEditMessage(controller, "Please Entry a Number", controller.model.ProductName,
                    MsgIcon::Exclamation, MsgButtons::OKCancel);
    box.text = cells.Text(box.row, box.col);
  }
  double number = LeadingNumber(box.text);
  if (which == EditGrid::Zone && zones::IsMembershipRow(box.row))
    number = std::clamp(number, 0.0, 1.0);
  if (which == EditGrid::Item && number < 0) number = 0;
  box.text = FormatNumber(number, "####0.000");
  box.caret = static_cast<int>(box.text.size());
}

void CommitCellEdit(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                    EditGrid which) {
  EditBox& box = EditBoxOf(edits, which);
  if (!box.visible) return;
  CellTable& cells = GridOf(controller, edits, which);
  if (IsNumberCell(which, box.row, box.col)) CheckNumberCell(controller, cells, box, which);
  if (which == EditGrid::Main && !TakeMainValueWithLinkOn(controller, box)) {
    box.visible = false;
    return;
  }
  const std::string before = cells.Text(box.row, box.col);
  cells.SetText(box.row, box.col, box.text);
  box.visible = false;
  controller.model.ChangesPending = true;
  if (which == EditGrid::Main) {
    const std::string what = AuditNameOfMainCell(controller.model, box.row, box.col);
    if (!what.empty()) audit.Record(what, before, box.text);
  }
  if (which == EditGrid::Zone && edits.variable.isOutput && box.col == zones::PointCol(1)) {
    for (int p = 2; p <= NumPoints; ++p) cells.SetText(box.row, zones::PointCol(p), box.text);
  }
}

}  // namespace kavro
