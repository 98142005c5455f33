#include "ui/GridEditBox.h"

#include <QKeyEvent>

#include "edit/CellEdit.h"
#include "ui/CellGrid.h"

namespace kavro::ui {

int EditBoxKeyCode(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Down:
      return kKeyDown;
    default:
      return 0;
  }
}

int GridKeyChar(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return kKeyEnter;
  const QString text = event.text();
  if (text.size() == 1 && text[0].unicode() > 32 && text[0].unicode() < 127) {
    return text[0].unicode();
  }
  return 0;
}

GridEditBox::GridEditBox(CellGrid* grid, EditBox& box, std::function<void(int)> keyDown,
                         std::function<void()> leave)
    : QLineEdit(grid->viewport()),
      grid_(grid),
      box_(box),
      keyDown_(std::move(keyDown)),
      leave_(std::move(leave)) {
  setFrame(false);
  hide();
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    box_.text = text.toStdString();
    box_.caret = cursorPosition();
  });
  connect(this, &QLineEdit::cursorPositionChanged, this,
          [this](int, int now) { box_.caret = now; });
}

void GridEditBox::Render() {
  if (!box_.visible) {
    // Enter, Escape, Up and Down hand the focus back to the grid, so the operator's next key
    // opens the box again; hidden with the focus, the box would keep taking keys unseen.
    if (hasFocus()) grid_->setFocus(Qt::OtherFocusReason);
    hide();
    return;
  }
  const QModelIndex cell = grid_->model()->index(box_.row, box_.col);
  setGeometry(grid_->visualRect(cell));
  const QString text = QString::fromStdString(box_.text);
  if (this->text() != text) setText(text);
  setCursorPosition(box_.caret);
  show();
  raise();
  setFocus();
}

void GridEditBox::keyPressEvent(QKeyEvent* event) {
  if (const int code = EditBoxKeyCode(*event)) {
    // The core takes these; Enter must not reach the line edit, which would beep.
    keyDown_(code);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void GridEditBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (box_.visible) leave_();
}

}  // namespace kavro::ui
