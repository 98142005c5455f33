// Read by control-writes.sh only, never compiled: an edit file that fills, shows and closes the
// configuration panels in four ways, beside what edit/ may do: read the grids, rewrite the box
// the operator left, open and close its own edit boxes over a cell. The check must name the
// four panel writes only.
#include "edit/EditState.h"

namespace kavro {

void PlantedPanelFill(ConfigEditState& edits, EditBox& box) {
  edits.variable.MSHFlexGrid3.SetText(1, 0, edits.variable.MSHFlexGrid3.Text(1, 0));
  edits.settings.Text1 = {};
  edits.variable.visible = true;
  edits.settings.visible = false;
  edits.settings.Text1[1] = "10";
  box.visible = true;
  EditBoxOf(edits, EditGrid::Zone).visible = false;
}

}  // namespace kavro
