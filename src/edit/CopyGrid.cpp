#include "edit/CopyGrid.h"

namespace kavro {

std::string GridText(const CellTable& cells) {
  std::string text;
  for (int row = 0; row < cells.Rows(); ++row) {
    if (row > 0) text += '\r';
    for (int col = 0; col < cells.Cols(); ++col) {
      if (col > 0) text += '\t';
      text += cells.Text(row, col);
    }
  }
  return text;
}

void CopyGrid(Controller& controller, const CellTable& cells) {
  controller.ports.clipboard->SetText(GridText(cells));
}

}  // namespace kavro
