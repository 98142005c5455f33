#include "ui/ScriptPad.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

namespace kavro::ui {
namespace {

class NumberArea : public QWidget {
 public:
  explicit NumberArea(ScriptPad* pad) : QWidget(pad), pad_(pad) {}
  QSize sizeHint() const override { return {pad_->NumberAreaWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { pad_->PaintNumbers(event); }

 private:
  ScriptPad* pad_;
};

}  // namespace

ScriptPad::ScriptPad(QWidget* parent) : QPlainTextEdit(parent), numberArea_(new NumberArea(this)) {
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabStopDistance(fontMetrics().horizontalAdvance(' ') * 2);
  connect(this, &QPlainTextEdit::blockCountChanged, this,
          [this] { setViewportMargins(NumberAreaWidth(), 0, 0, 0); });
  connect(this, &QPlainTextEdit::updateRequest, this, &ScriptPad::UpdateNumberArea);
  setViewportMargins(NumberAreaWidth(), 0, 0, 0);
}

int ScriptPad::NumberAreaWidth() const {
  int digits = 1;
  for (int lines = std::max(1, blockCount()); lines >= 10; lines /= 10) ++digits;
  return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3);
}

void ScriptPad::UpdateNumberArea(const QRect& rect, int dy) {
  if (dy != 0) {
    numberArea_->scroll(0, dy);
  } else {
    numberArea_->update(0, rect.y(), numberArea_->width(), rect.height());
  }
}

void ScriptPad::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect area = contentsRect();
  numberArea_->setGeometry(QRect(area.left(), area.top(), NumberAreaWidth(), area.height()));
}

void ScriptPad::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  emit FocusLost();
}

void ScriptPad::PaintNumbers(QPaintEvent* event) {
  QPainter painter(numberArea_);
  painter.fillRect(event->rect(), QColor(0xEE, 0xEE, 0xEE));
  QTextBlock block = firstVisibleBlock();
  int number = block.blockNumber() + 1;
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  int bottom = top + qRound(blockBoundingRect(block).height());
  while (block.isValid() && top <= event->rect().bottom()) {
    if (block.isVisible() && bottom >= event->rect().top()) {
      painter.setPen(number == markedLine_ ? Qt::red : Qt::darkGray);
      painter.drawText(0, top, numberArea_->width() - 4, fontMetrics().height(), Qt::AlignRight,
                       QString::number(number));
    }
    block = block.next();
    top = bottom;
    bottom = top + qRound(blockBoundingRect(block).height());
    ++number;
  }
}

void ScriptPad::MarkLine(int line) {
  markedLine_ = line > 0 && line <= blockCount() ? line : 0;
  ShowMark();
  if (markedLine_ > 0) {
    QTextCursor cursor(document()->findBlockByNumber(markedLine_ - 1));
    setTextCursor(cursor);
    ensureCursorVisible();
  }
  numberArea_->update();
}

void ScriptPad::ShowMark() {
  QList<QTextEdit::ExtraSelection> marks;
  if (markedLine_ > 0) {
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(QColor(0xFF, 0xD0, 0xD0));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    mark.cursor = QTextCursor(document()->findBlockByNumber(markedLine_ - 1));
    marks << mark;
  }
  setExtraSelections(marks);
}

}  // namespace kavro::ui
