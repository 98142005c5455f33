#include "edit/ValueTyping.h"

namespace kavro {

void TypeCellText(MainGrid& grid, int row, int column, const std::string& text) {
  grid.At(row, column).text = text;
}

}  // namespace kavro
