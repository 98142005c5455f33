#pragma once
// Every view of the window closes the same two ways: a Close button and the Escape key.
#include <functional>

class QBoxLayout;
class QPushButton;
class QWidget;

namespace kavro::ui {

// Adds a "&Close" button (object name cmdClose) to buttonRow, and makes Escape anywhere in the
// view do the same: close, or hide for a view that lives inside the main window. A dialog
// already closes with Escape and gets the button only.
QPushButton* AddCloseButton(QWidget* view, QBoxLayout* buttonRow,
                            std::function<void()> close = {});

// Escape anywhere in the view runs close (a view with a close button of its own).
void CloseWithEscape(QWidget* view, std::function<void()> close);

}  // namespace kavro::ui
