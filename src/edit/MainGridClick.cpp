#include "edit/MainGridClick.h"

#include "edit/CellEdit.h"
#include "edit/EditMessage.h"
#include "model/MainGrid.h"
#include "model/VariableLabel.h"

namespace kavro {

namespace {

bool IsRuleRow(int row) {
  return row >= grid::kFirstRuleRow && row <= grid::kLastRuleRow;
}

void StepOperator(Controller& c, AuditTrail& audit, int row) {
  const std::string before = c.grid.Text(row, grid::kColController);
  const std::string after = NextOperatorName(c.model, before);
  c.grid.SetText(row, grid::kColController, after);
  Rule& rule = c.model.Rules[grid::RuleOfRow(row)];
  audit.Record(RuleLabel(grid::RuleOfRow(row)) + " operator", before, after);
  rule.Operator = after;
  c.model.ChangesPending = true;
}

// Rule 20's term cells step like every other rule row's: the engine, the file and File > Save
// treat row 31 as a rule like the rest.
void StepTerm(Controller& c, AuditTrail& audit, int row, int col) {
  const int termSlot = col - 1;
  const std::string before = c.grid.Text(row, col);
  const std::string after = NextTermName(c.model, termSlot, before);
  c.grid.SetText(row, col, after);
  audit.Record(RuleLabel(grid::RuleOfRow(row)) + " term " + std::to_string(termSlot) + " (" +
                   TermVariableLabel(c.model, termSlot) + ")",
               before, after);
  c.model.Rules[grid::RuleOfRow(row)].Term[termSlot] = after;
  c.model.ChangesPending = true;
}

}  // namespace

std::string NextOperatorName(const ControllerModel& model, const std::string& name) {
  for (int o = 1; o <= NumOperators; ++o) {
    if (model.OperatorNames[o] == name) return model.OperatorNames[o % NumOperators + 1];
  }
  return model.OperatorNames[1];
}

std::string NextTermName(const ControllerModel& model, int termSlot, const std::string& text) {
  const ZoneTable& zoneTable = ZonesOfTerm(model, termSlot);
  if (text == kNotUsed) return zoneTable[1].MFName;
  for (int z = 1; z <= NumZones; ++z) {
    if (zoneTable[z].MFName == text) return z == NumZones ? kNotUsed : zoneTable[z + 1].MFName;
  }
  return zoneTable[1].MFName;
}

PanelToOpen ClickMainGrid(Controller& c, ConfigEditState& edits, AuditTrail& audit, int row,
                          int col) {
  CommitCellEdit(c, edits, audit, EditGrid::Main);
  SelectGridCell(c, edits, EditGrid::Main, row, col);
  // The names row only hides or shows trend pens: viewing is never locked, only changing.
  if (row == grid::kRowName) return PanelToOpen::None;
  if (c.model.ScreenLocked) {
    ShowScreenLocked(c);
    return PanelToOpen::None;
  }
  if (row == grid::kRowConfig) {
    if (col == grid::kColController) return PanelToOpen::ControllerSettings;
    return col > grid::kColController ? PanelToOpen::VariableEditor : PanelToOpen::None;
  }
  if (!IsRuleRow(row)) return PanelToOpen::None;
  if (col == grid::kColController) {
    StepOperator(c, audit, row);
  } else if (col > grid::kColController) {
    StepTerm(c, audit, row, col);
  }
  return PanelToOpen::None;
}

}  // namespace kavro
