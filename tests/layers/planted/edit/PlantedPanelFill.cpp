// Read by control-writes.sh only, never compiled: an edit file that fills and shows the
// configuration panels in three ways, beside what edit/ may do: read the grids, rewrite the box
// the operator left, open its own edit box over a cell. The check must name the three fills only.
#include "edit/EditState.h"

namespace kavro {

void PlantedPanelFill(ConfigEditState& edits, EditBox& box) {
  edits.variable.MSHFlexGrid3.SetText(1, 0, edits.variable.MSHFlexGrid3.Text(1, 0));
  edits.settings.Text1 = {};
  edits.variable.visible = true;
  edits.settings.Text1[1] = "10";
  box.visible = true;
}

}  // namespace kavro
