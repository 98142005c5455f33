#include "ui/CellGrid.h"

#include <QColor>
#include <QHeaderView>

#include "model/WindowState.h"

namespace kavro::ui {

namespace {
QColor ToQColor(Colour c) { return QColor(c.Red(), c.Green(), c.Blue()); }
}  // namespace

CellTableModel::CellTableModel(const CellTable& table, bool fixedFirstRowAndColumn,
                               QObject* parent)
    : QAbstractTableModel(parent), table_(table), fixed_(fixedFirstRowAndColumn) {}

int CellTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.Rows();
}

int CellTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.Cols();
}

QVariant CellTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Cell& cell = table_.At(index.row(), index.column());
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(cell.text);
    case Qt::ForegroundRole:
      return ToQColor(cell.foreColour);
    case Qt::BackgroundRole: {
      const bool fixed = fixed_ && (index.row() == 0 || index.column() == 0);
      return ToQColor(fixed && cell.backColour == kWhite ? kFaceColour : cell.backColour);
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

void CellTableModel::Refresh() {
  emit dataChanged(index(0, 0), index(table_.Rows() - 1, table_.Cols() - 1));
}

CellGrid::CellGrid(const CellTable& table, bool fixedFirstRowAndColumn, QWidget* parent)
    : QTableView(parent), table_(table), model_(table, fixedFirstRowAndColumn) {
  setModel(&model_);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrap(false);
  const int rowHeight = fontMetrics().height() + 6;
  verticalHeader()->setMinimumSectionSize(rowHeight);
  verticalHeader()->setDefaultSectionSize(rowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void CellGrid::Refresh() {
  model_.Refresh();
  const QModelIndex current = model_.index(table_.CurrentRow(), table_.CurrentCol());
  if (!current.isValid() || current == currentIndex()) return;
  following_ = true;
  selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
  following_ = false;
}

void CellGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (!following_ && current.isValid()) emit CursorMoved(current.row(), current.column());
}

void CellGrid::SetColumnWidths(const std::vector<int>& widths) {
  for (std::size_t c = 0; c < widths.size() && static_cast<int>(c) < model_.columnCount(); ++c) {
    setColumnWidth(static_cast<int>(c), widths[c]);
  }
}

int CellGrid::HeightOfRows(int rows) const {
  int height = 2 * frameWidth();
  for (int r = 0; r < rows && r < model_.rowCount(); ++r) height += rowHeight(r);
  return height;
}

}  // namespace kavro::ui
