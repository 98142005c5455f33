#include "ui/ColumnStrip.h"

#include <QLabel>

namespace kavro::ui {

ColumnStrip::ColumnStrip(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ColumnStrip::Place(QLabel* label, int col) {
  label->setParent(this);
  columnOf_[label] = col;
  Arrange();
}

void ColumnStrip::SetColumns(const std::vector<int>& widths, int left) {
  widths_ = widths;
  left_ = left;
  Arrange();
}

QSize ColumnStrip::sizeHint() const { return {400, fontMetrics().height() + 8}; }

void ColumnStrip::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

void ColumnStrip::Arrange() {
  for (auto& [label, col] : columnOf_) {
    if (col < 0 || col >= static_cast<int>(widths_.size())) continue;
    int x = left_;
    for (int c = 0; c < col; ++c) x += widths_[static_cast<std::size_t>(c)];
    label->setGeometry(x + 1, 1, widths_[static_cast<std::size_t>(col)] - 2, height() - 2);
  }
}

}  // namespace kavro::ui
