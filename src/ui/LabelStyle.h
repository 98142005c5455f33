#pragma once
// Draws a label of the window state on a QLabel: caption, colours, weight and visibility.
#include <QColor>

#include "model/WindowState.h"

class QLabel;

namespace kavro::ui {

inline QColor ToQColor(Colour c) {
  return QColor(c.Red(), c.Green(), c.Blue());
}

void ApplyLabel(QLabel* label, const LabelState& state);

}  // namespace kavro::ui
