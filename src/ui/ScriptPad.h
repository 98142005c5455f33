#pragma once
// The script pad: a monospace QPlainTextEdit with line numbers in a margin, that can mark one
// line (the line a load or check failed on) and reports when it loses the focus.
#include <QPlainTextEdit>

namespace kavro::ui {

class ScriptPad : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit ScriptPad(QWidget* parent = nullptr);

  // Marks line (from 1) and puts the caret at its start; 0 takes the mark away.
  void MarkLine(int line);
  int MarkedLine() const { return markedLine_; }
  int NumberAreaWidth() const;
  void PaintNumbers(QPaintEvent* event);

 signals:
  void FocusLost();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void UpdateNumberArea(const QRect& rect, int dy);
  void ShowMark();

  QWidget* numberArea_;
  int markedLine_ = 0;
};

}  // namespace kavro::ui
