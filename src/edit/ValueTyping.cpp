#include "edit/ValueTyping.h"

#include "common/KavroError.h"
#include "engine/GridExchange.h"

namespace kavro {

void TypeValueCell(MainGrid& grid, EngineMemo& memo, int row, int column, const std::string& text,
                   float number) {
  if (row < grid::kRowHigh || row > grid::kRowLow) {
    throw KavroError(errors::kSubscript, errors::kSubscriptText);
  }
  grid.At(row, column).text = text;
  RememberCellNumber(memo, row, column, text, number);
}

void TypeCellText(MainGrid& grid, int row, int column, const std::string& text) {
  grid.At(row, column).text = text;
}

}  // namespace kavro
