#include "model/CellTable.h"

#include "common/KavroError.h"

namespace kavro {

CellTable::CellTable(int rows, int cols)
    : rows_(rows), cols_(cols), cells_(static_cast<size_t>(rows) * static_cast<size_t>(cols)) {}

void CellTable::ThrowBadAddress() { throw KavroError(errors::kSubscript, errors::kSubscriptText); }

void CellTable::SetText(int row, int col, std::string text) { At(row, col).text = std::move(text); }

void CellTable::SetCurrent(int row, int col) {
  Index(row, col);  // validates the address
  currentRow_ = row;
  currentCol_ = col;
}

}  // namespace kavro
