#include "session/SaveCommands.h"

#include "config/ConfigFile.h"
#include "display/MenuTree.h"
#include "engine/EventNotes.h"
#include "model/CycleHold.h"

namespace kavro {

namespace {

// The rule table as the operator last left it in the main grid.
void TakeRulesFromGrid(Controller& controller) {
  for (int r = 1; r <= NumRules; ++r) {
    Rule& rule = controller.model.Rules[r];
    const int row = grid::RuleRow(r);
    rule.Operator = controller.grid.Text(row, grid::kColController);
    for (int j = 1; j <= NumTerms; ++j) rule.Term[j] = controller.grid.Text(row, grid::TermColumn(j));
  }
}

}  // namespace

bool SaveConfiguration(Controller& controller) {
  TakeRulesFromGrid(controller);
  if (!WriteConfig(controller)) return false;
  controller.model.ChangesPending = false;
  NoteEvent(controller, EventKind::Configuration,
            "Configuration saved to " + ConfigPath(controller.model));
  return true;
}

void mnuSaveMode(Controller& controller) {
  const bool checked = !controller.window.menus->mnuSaveModeChecked;
  ShowSaveModeCheck(controller, checked);
  ControllerModel& model = controller.model;
  CycleHoldGuard hold(model);
  controller.ports.op->MessageBox(
      checked ? "Press Menu File... Save To Save Your Preferred Control Mode for Future Use"
              : "Last Control Mode Saved Will Not Be Updated",
      model.ProductName, MsgIcon::Information, MsgButtons::OK);
}

}  // namespace kavro
