#pragma once
// A row of labels lined up under the main grid's columns: each label sits in the column it
// belongs to, whatever width the columns have.
#include <QWidget>
#include <map>
#include <vector>

class QLabel;

namespace kavro::ui {

class ColumnStrip : public QWidget {
  Q_OBJECT
 public:
  explicit ColumnStrip(QWidget* parent = nullptr);
  // Puts label into column col of the grid.
  void Place(QLabel* label, int col);
  // The grid's column widths and the left offset of column 0 inside this strip.
  void SetColumns(const std::vector<int>& widths, int left);
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Arrange();
  std::map<QLabel*, int> columnOf_;
  std::vector<int> widths_;
  int left_ = 0;
};

}  // namespace kavro::ui
