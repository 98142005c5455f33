// Read by control-writes.sh only, never compiled: a session file that writes the main grid in
// four ways. The check must name each write and pass over this comment's SetText( and the read.
#include "model/Controller.h"

namespace kavro {

void PlantedGridWrite(Controller& controller) {
  controller.grid.SetText(0, 1, "planted");
  controller.grid.At(3, 2).text = controller.grid.Text(3, 3);
  controller.grid.SetBackColour(3, 2, kWhite);
  MainGrid* grid = &controller.grid;
  grid->SetCurrent(3, 2);
}

}  // namespace kavro
