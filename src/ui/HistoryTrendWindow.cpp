#include "ui/HistoryTrendWindow.h"

#include <QVBoxLayout>

#include "session/TrendCommands.h"

namespace kavro::ui {

HistoryTrendWindow::HistoryTrendWindow(Controller& controller, TrendSubmit submit, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setWindowTitle(QString::fromStdString(controller.model.FLCBlock.Name1 + " - Trend History"));
  trend_ = new TrendPlotWidget(controller, submit, this);
  connect(trend_, &TrendPlotWidget::PenNameClicked, this, [&controller, submit](int index) {
    submit([&controller, index] { MainGridNameClick(controller, grid::InputColumn(1) + index); });
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(trend_);
  resize(1000, 500);
}

}  // namespace kavro::ui
