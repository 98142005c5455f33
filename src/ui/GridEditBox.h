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

// The key code the core's edit operations read: the typed character for a printable key,
// otherwise 13 Enter, 27 Escape, 38 Up, 40 Down; 0 for any other key.
int CoreKeyCode(const QKeyEvent& event);

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
