#pragma once
// A grid drawn from one of the core's cell tables (the main grid or the output strip): each
// cell's text, text colour and background as the core set them. Cells in the fixed first row
// and column that have no colour of their own are drawn in the window's face colour.
#include <QAbstractTableModel>
#include <QTableView>

#include "model/CellTable.h"

namespace kavro::ui {

class CellTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  CellTableModel(const CellTable& table, bool fixedFirstRowAndColumn, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // Tells the view that every cell may have changed.
  void Refresh();

 private:
  const CellTable& table_;
  bool fixed_;
};

class CellGrid : public QTableView {
  Q_OBJECT
 public:
  CellGrid(const CellTable& table, bool fixedFirstRowAndColumn, QWidget* parent = nullptr);
  // Redraws the cells, and puts the view's cursor on the table's current cell when the core
  // moved it (Up and Down in an edit box).
  void Refresh();
  // Column widths in pixels, index 0 .. columns - 1.
  void SetColumnWidths(const std::vector<int>& widths);
  // Height that shows exactly the first rows rows, with the frame.
  int HeightOfRows(int rows) const;

 signals:
  // The operator moved the view's cursor (the arrow keys, a click) to a cell.
  void CursorMoved(int row, int col);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  const CellTable& table_;
  CellTableModel model_;
  bool following_ = false;  // the cursor is being put where the core says
};

}  // namespace kavro::ui
