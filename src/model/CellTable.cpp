#include "model/CellTable.h"

#include <atomic>

#include "common/KavroError.h"

namespace kavro {

CellTable::CellTable(int rows, int cols)
    : rows_(rows),
      cols_(cols),
      cells_(static_cast<size_t>(rows) * static_cast<size_t>(cols)),
      bodyChanges_(static_cast<size_t>(rows)),
      blockBodyChanges_(static_cast<size_t>((rows + kBlockRows - 1) / kBlockRows)) {}

// A copy holds the same texts under an identity of its own: the two change apart from here.
CellTable::CellTable(const CellTable& other)
    : rows_(other.rows_),
      cols_(other.cols_),
      cells_(other.cells_),
      changes_(other.changes_),
      bodyChanges_(other.bodyChanges_),
      blockBodyChanges_(other.blockBodyChanges_),
      currentRow_(other.currentRow_),
      currentCol_(other.currentCol_) {}

CellTable& CellTable::operator=(const CellTable& other) {
  if (this == &other) return *this;
  rows_ = other.rows_;
  cols_ = other.cols_;
  cells_ = other.cells_;
  identity_ = NewIdentity();
  changes_ = other.changes_;  // counts on from the copied rows', so none returns to an old stamp
  bodyChanges_ = other.bodyChanges_;
  blockBodyChanges_ = other.blockBodyChanges_;
  currentRow_ = other.currentRow_;
  currentCol_ = other.currentCol_;
  return *this;
}

uint64_t CellTable::NewIdentity() {
  static std::atomic<uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

void CellTable::ThrowBadAddress() { throw KavroError(errors::kSubscript, errors::kSubscriptText); }

void CellTable::SetText(int row, int col, std::string text) {
  const size_t index = Index(row, col);
  if (cells_[index].text == text) return;
  cells_[index].text = std::move(text);
  Changed(row, col);
}

void CellTable::SetCurrent(int row, int col) {
  Index(row, col);  // validates the address
  currentRow_ = row;
  currentCol_ = col;
}

}  // namespace kavro
