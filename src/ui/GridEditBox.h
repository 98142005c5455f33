#pragma once
// The floating edit box of one grid (txtEdit1..3): a line edit laid over the cell the core's
// EditBox names, showing its text and caret. What is typed goes back into the EditBox as it is
// typed; its keys and its losing the focus go to the core, which decides what they mean.
#include <QLineEdit>
#include <functional>

#include "edit/EditState.h"

class QKeyEvent;

namespace kavro::ui {

class CellGrid;

// A key in an edit box as the core's EditBoxKeyDown reads it: 13 Enter, 27 Escape, 38 Up,
// 40 Down, told by the key alone; 0 for any other key, which the box types itself. "&" and "("
// share their character codes with Up and Down, and are typed like any other character.
int EditBoxKeyCode(const QKeyEvent& event);

// A key on a grid as the core's KeyPressOnGrid reads it: the printable character typed, 13 for
// Enter; 0 for a key that types nothing. Only the keys that type are kept from the table view:
// the arrow keys reach it and move its cursor, and the window makes that cell the core's current.
int GridKeyChar(const QKeyEvent& event);

class GridEditBox : public QLineEdit {
  Q_OBJECT
 public:
  GridEditBox(CellGrid* grid, EditBox& box, std::function<void(int keyCode)> keyDown,
              std::function<void()> leave);
  // Shows the box over its cell with the core's text and caret, or hides it.
  void Render();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  CellGrid* grid_;
  EditBox& box_;
  std::function<void(int)> keyDown_;
  std::function<void()> leave_;
};

}  // namespace kavro::ui
