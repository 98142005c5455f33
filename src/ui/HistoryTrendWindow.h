#pragma once
// The trend over the plant history (Calc > Trend History): the pens of the span drawn as each
// pixel column's minimum and maximum, their scales, the clock-time axis, and the cursor's
// reading; presets from 10 min to 30 d, Live, Export CSV...; the wheel zooms, a drag or the
// scroll bar or the arrow and page keys scroll back. The plot grows with the window. What it
// shows is the core's HistoryTrend; this draws it and passes the gestures on.
#include <QPointer>
#include <QWidget>

#include "display/HistoryTrend.h"
#include "model/Controller.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace kavro::ui {

class HistoryTrendCanvas;

class HistoryTrendWindow : public QWidget {
  Q_OBJECT
 public:
  HistoryTrendWindow(Controller& controller, QWidget* parent = nullptr);
  ~HistoryTrendWindow() override;

  // Reads the span again (live: up to now) and draws it.
  void Refresh();
  // The same with now given: a history recorded on a fast clock lies ahead of the real one.
  void RefreshAt(std::int64_t now);
  // The span shown as CSV into path, written whole; false with nothing written on failure.
  bool ExportTo(const std::string& path);

  HistoryTrend& Trend() { return trend_; }
  HistoryTrendCanvas* Canvas() const { return canvas_; }
  QPushButton* PresetButton(std::size_t preset) const { return presets_.at(preset); }
  QPushButton* LiveButton() const { return live_; }
  QScrollBar* ScrollBar() const { return scroll_; }
  QLabel* Reading() const { return reading_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowScrollBar(std::int64_t now);
  void ScrollBarMoved(int minutes);
  void AskExport();
  void CursorMoved(int column);

  Controller& c_;
  HistoryTrend trend_;
  HistoryTrendCanvas* canvas_;
  std::array<QPushButton*, kTrendZoomSpans.size()> presets_{};
  QPushButton* live_;
  QScrollBar* scroll_;
  QLabel* reading_;
  std::int64_t scrollOrigin_ = 0;
  bool settingScroll_ = false;
};

// The plot: pens, scales and axis, drawn from the trend as it stands.
class HistoryTrendCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit HistoryTrendCanvas(HistoryTrend& trend, QWidget* parent = nullptr);
  // Where the plot's columns are: the canvas less its scale and axis margins.
  QRect PlotArea() const;

 signals:
  void ColumnsChanged();
  void Dragged(double spans);
  void Zoomed(double factor);
  void CursorAt(int column);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  HistoryTrend& trend_;
  int dragFrom_ = -1;
};

}  // namespace kavro::ui
