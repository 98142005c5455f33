#include "ui/LabelStyle.h"

#include <QLabel>

namespace kavro::ui {

void ApplyLabel(QLabel* label, const LabelState& state) {
  label->setText(QString::fromStdString(state.caption));
  // A label on the face colour has no colour of its own: the window shows through.
  const QString background =
      state.backColour == kFaceColour
          ? QString()
          : QString("background-color: %1; ").arg(ToQColor(state.backColour).name());
  label->setStyleSheet(QString("QLabel { %1color: %2; padding: 1px 4px;%3 }")
                           .arg(background, ToQColor(state.foreColour).name(),
                                state.bold ? " font-weight: bold;" : ""));
  label->setVisible(state.visible);
}

}  // namespace kavro::ui
