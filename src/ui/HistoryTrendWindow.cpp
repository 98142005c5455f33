#include "ui/HistoryTrendWindow.h"

#include <QVBoxLayout>

namespace kavro::ui {

HistoryTrendWindow::HistoryTrendWindow(Controller& controller, TrendSubmit submit,
                                       TrendPlotWidget* mainTrend, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setWindowTitle(QString::fromStdString(controller.model.FLCBlock.Name1 + " - Trend History"));
  trend_ = new TrendPlotWidget(controller, std::move(submit), this);
  if (mainTrend != nullptr) {
    connect(trend_, &TrendPlotWidget::PenNameClicked, mainTrend, &TrendPlotWidget::PenNameClicked);
    connect(trend_, &TrendPlotWidget::ScaleLabelClicked, mainTrend,
            &TrendPlotWidget::ScaleLabelClicked);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(trend_);
  resize(1000, 500);
}

}  // namespace kavro::ui
