#include "ui/ViewClose.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QShortcut>

namespace kavro::ui {

void CloseWithEscape(QWidget* view, std::function<void()> close) {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), view);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(escape, &QShortcut::activated, view, std::move(close));
}

QPushButton* AddCloseButton(QWidget* view, QBoxLayout* buttonRow, std::function<void()> close) {
  if (!close) close = [view] { view->close(); };
  auto* button = new QPushButton(QStringLiteral("&Close"), view);
  button->setObjectName("cmdClose");
  QObject::connect(button, &QPushButton::clicked, view, close);
  buttonRow->addWidget(button);
  if (qobject_cast<QDialog*>(view) == nullptr) CloseWithEscape(view, std::move(close));
  return button;
}

}  // namespace kavro::ui
