#include "edit/ValueTyping.h"

#include "engine/GridExchange.h"

namespace kavro {

void TypeValueCell(MainGrid& grid, EngineMemo& memo, int row, int column, const std::string& text,
                   float number) {
  // Remembered first: a cell that is no value cell throws there, before anything is typed.
  RememberCellNumber(memo, row, column, text, number);
  grid.At(row, column).text = text;
}

void TypeCellText(MainGrid& grid, int row, int column, const std::string& text) {
  grid.At(row, column).text = text;
}

}  // namespace kavro
