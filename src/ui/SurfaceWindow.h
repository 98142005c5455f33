#pragma once
// The control-surface window: choice boxes for the output and the two inputs, a held value for
// each other input, the number of points, Compute, Export CSV... and Save PNG...; the map (or
// curve) with its colour scale and the operating point, as display/SurfaceView works it out.
#include <QWidget>
#include <vector>

#include "display/SurfaceView.h"
#include "model/Controller.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kavro::ui {

class SurfaceCanvas;

class SurfaceWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SurfaceWindow(Controller& controller, QWidget* parent = nullptr);

  // Fills the choices from the configuration as it is now (keeping what was chosen when it is
  // still there) and computes.
  void Reload();
  // Computes the surface of the choices on a copy of the running controller.
  void Compute();
  // After a cycle: the operating point's mark moves to where the plant is now.
  void FollowPlant();
  // The picture as PNG bytes, as Save PNG... writes them.
  QByteArray PictureBytes() const;

  QComboBox* OutputBox() const { return output_; }
  QComboBox* XBox() const { return x_; }
  QComboBox* YBox() const { return y_; }
  QSpinBox* PointsBox() const { return points_; }
  QLineEdit* HeldBox(int input) const;
  QLabel* Message() const { return message_; }
  SurfaceCanvas* Canvas() const { return canvas_; }
  const SurfaceViewState& State() const { return state_; }

 private:
  SurfaceSetup Setup() const;

  Controller& c_;
  SurfaceViewState state_;
  QComboBox* output_;
  QComboBox* x_;
  QComboBox* y_;
  QSpinBox* points_;
  QGridLayout* heldGrid_;
  std::vector<std::pair<int, QLineEdit*>> held_;  // input slot, its box
  std::vector<QWidget*> heldWidgets_;
  QLabel* message_;
  QPushButton* exportCsv_;
  QPushButton* savePng_;
  SurfaceCanvas* canvas_;
};

// The map or curve with its axes, colour scale and operating point.
class SurfaceCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit SurfaceCanvas(const SurfaceViewState& state, QWidget* parent = nullptr);
  // The area the map or curve fills, inside the axes' labels and the scale.
  QRectF PlotArea() const;
  // Where the operating point is drawn.
  QPointF OperatingPoint() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  void PaintMap(QPainter& p, const QRectF& area) const;
  void PaintCurve(QPainter& p, const QRectF& area) const;
  void PaintScale(QPainter& p, const QRectF& area) const;
  const SurfaceViewState& state_;
};

}  // namespace kavro::ui
