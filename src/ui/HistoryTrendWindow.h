#pragma once
// Calc > Trend History: the main window's trend in a window of its own, as large as the
// operator makes it. The same trend area over the same trend state: a span scrolled or zoomed
// here is the one the main window shows.
#include <QWidget>

#include "model/Controller.h"
#include "ui/TrendPlotWidget.h"

namespace kavro::ui {

class HistoryTrendWindow : public QWidget {
  Q_OBJECT
 public:
  // Clicks on its pen names and scale labels are mainTrend's: the main window runs them.
  HistoryTrendWindow(Controller& controller, TrendSubmit submit, TrendPlotWidget* mainTrend,
                     QWidget* parent = nullptr);
  TrendPlotWidget* Trend() const { return trend_; }

 private:
  TrendPlotWidget* trend_;
};

}  // namespace kavro::ui
