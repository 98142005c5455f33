#pragma once
// The trend area: each pen's name and the top of its scale (lblScaleHi) over the plot Picture2,
// the bottoms (lblScaleLo) under it, each in its variable's pen colour; the zoom presets, Live
// and the scroll bar over the plant history; the span shown (lblPlotTime). The plot grows with
// the window and labels its time axis with clock times and dates; the wheel zooms, a drag, the
// arrow and page keys scroll, End returns to live; the cursor reads every pen at its place. It
// decides nothing: the core computed every point and text, and every gesture is a core call.
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "display/TrendPlot.h"
#include "display/TrendView.h"
#include "model/Controller.h"

class QLabel;
class QPainter;
class QPushButton;
class QScrollBar;

namespace kavro::ui {

// Paints the picture into area of painter: each shown trace as lines in its pen colour (broken
// where the history has a gap), clipped to area, on a white ground with the band's top and
// bottom as faint lines.
void PaintTrend(QPainter& painter, const TrendPicture& picture, const QRectF& area);

// Runs a core call on the controller as the owner's commands run (through its gate and guard).
using TrendSubmit = std::function<void(std::function<void()>)>;

// Picture2 itself, with the time axis under it.
class TrendCanvas : public QWidget {
  Q_OBJECT
 public:
  TrendCanvas(Controller& controller, TrendSubmit submit, QWidget* parent = nullptr);
  // The drawing area: the canvas less its frame and the time axis under it.
  QRectF PlotArea() const;
  // The cycle the mouse is over, with what it shows; nothing while the mouse is away.
  const std::optional<TrendCursor>& Cursor() const { return cursor_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  Controller& c_;
  TrendSubmit submit_;
  std::optional<double> dragFrom_;
  std::optional<TrendCursor> cursor_;
};

class TrendPlotWidget : public QWidget {
  Q_OBJECT
 public:
  TrendPlotWidget(Controller& controller, TrendSubmit submit, QWidget* parent = nullptr);
  // Draws the labels, the controls and the plot as the trend state holds them.
  void Render();
  QLabel* ScaleLabel(bool top, int index) const;
  QLabel* NameLabel(int index) const;
  TrendCanvas* Canvas() const { return canvas_; }
  QPushButton* PresetButton(std::size_t preset) const { return presets_.at(preset); }
  QPushButton* LiveButton() const { return live_; }
  QScrollBar* ScrollBar() const { return scroll_; }

 signals:
  // A click on lblScaleHi (top) or lblScaleLo of variable index 0..7.
  void ScaleLabelClicked(bool top, int index);
  // A click on the name over variable index's scale: its pen is hidden or shown.
  void PenNameClicked(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Run(std::function<void()> call);
  void ShowScrollBar();
  void ScrollBarMoved(int minutes);

  Controller& c_;
  TrendSubmit submit_;
  TrendCanvas* canvas_ = nullptr;
  std::vector<QLabel*> names_;
  std::vector<QLabel*> hi_;
  std::vector<QLabel*> lo_;
  std::array<QPushButton*, kTrendZoomSpans.size()> presets_{};
  QPushButton* live_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  QLabel* lblPlotTime_ = nullptr;
  std::int64_t scrollOrigin_ = 0;
  bool settingScroll_ = false;
};

}  // namespace kavro::ui
