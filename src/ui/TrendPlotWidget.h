#pragma once
// The trend area under the main grid: the plot Picture2 between a row of scale-top labels
// (lblScaleHi) and a row of scale-bottom labels (lblScaleLo), each in its variable's pen colour,
// and the time span lblPlotTime. It draws the window state's trend picture and tells the
// window when a scale label is clicked; moving the mouse over the plot shows the sample under
// it. It decides nothing: the core computed every point and text.
#include <QWidget>
#include <optional>
#include <vector>

#include "display/TrendPlot.h"
#include "model/WindowState.h"

class QLabel;
class QPainter;

namespace kavro::ui {

// Paints the picture into area of painter: each shown trace as a polyline in its pen colour,
// clipped to area, on a white ground with the band's top and bottom as faint lines.
void PaintTrend(QPainter& painter, const TrendPicture& picture, const QRectF& area);

// Picture2 itself.
class TrendCanvas : public QWidget {
  Q_OBJECT
 public:
  TrendCanvas(const TrendPicture& picture, QWidget* parent = nullptr);
  // The drawing area inside the frame.
  QRectF PlotArea() const;
  // The sample the mouse is over, with what it shows; nothing while the mouse is away.
  const std::optional<TrendCursor>& Cursor() const { return cursor_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  const TrendPicture& picture_;
  std::optional<TrendCursor> cursor_;
};

class TrendPlotWidget : public QWidget {
  Q_OBJECT
 public:
  TrendPlotWidget(const WindowState& window, QWidget* parent = nullptr);
  // Draws the labels and the plot as the window state holds them.
  void Render();
  QLabel* ScaleLabel(bool top, int index) const;
  TrendCanvas* Canvas() const { return canvas_; }

 signals:
  // A click on lblScaleHi (top) or lblScaleLo of variable index 0..7.
  void ScaleLabelClicked(bool top, int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const WindowState& window_;
  TrendCanvas* canvas_ = nullptr;
  std::vector<QLabel*> hi_;
  std::vector<QLabel*> lo_;
  QLabel* lblPlotTime_ = nullptr;
};

}  // namespace kavro::ui
