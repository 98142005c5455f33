#include "ui/SurfaceWindow.h"

#include <QBuffer>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "display/ColourScale.h"
#include "session/GuardedCall.h"
#include "session/SurfaceCommands.h"
#include "ui/LabelStyle.h"
#include "ui/ViewClose.h"

namespace kavro::ui {

namespace {

constexpr int kScaleSteps = 64;
constexpr const char* kNoInput = "(none)";

// Fills box with choices, keeping the slot it showed when that is still offered.
void Fill(QComboBox* box, const std::vector<SurfaceChoice>& choices, bool withNone, int wanted) {
  const int kept = box->count() > 0 ? box->currentData().toInt() : wanted;
  box->clear();
  if (withNone) box->addItem(kNoInput, 0);
  for (const SurfaceChoice& choice : choices) {
    box->addItem(QString::fromStdString(choice.name), choice.slot);
  }
  const int at = box->findData(kept);
  box->setCurrentIndex(at >= 0 ? at : 0);
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

SurfaceWindow::SurfaceWindow(Controller& controller, QWidget* parent)
    : QWidget(parent, Qt::Window), c_(controller) {
  setObjectName("SurfaceWindow");
  auto* layout = new QVBoxLayout(this);
  auto* choices = new QHBoxLayout();
  const auto labelled = [&](const char* caption, QWidget* box) {
    choices->addWidget(new QLabel(caption, this));
    choices->addWidget(box);
  };
  output_ = new QComboBox(this);
  output_->setObjectName("cmbOutput");
  x_ = new QComboBox(this);
  x_->setObjectName("cmbX");
  y_ = new QComboBox(this);
  y_->setObjectName("cmbY");
  points_ = new QSpinBox(this);
  points_->setObjectName("spnPoints");
  points_->setRange(kSurfaceMinPoints, kSurfaceMaxPoints);
  points_->setValue(kSurfaceMinPoints);
  labelled("Output", output_);
  labelled("X input", x_);
  labelled("Y input", y_);
  labelled("Points", points_);
  choices->addStretch(1);
  layout->addLayout(choices);

  auto* heldBox = new QGroupBox("Held inputs (blank: present value)", this);
  heldGrid_ = new QGridLayout(heldBox);
  layout->addWidget(heldBox);

  auto* buttons = new QHBoxLayout();
  auto* compute = new QPushButton("Compute", this);
  compute->setObjectName("btnCompute");
  exportCsv_ = new QPushButton("Export CSV...", this);
  exportCsv_->setObjectName("btnExportCsv");
  savePng_ = new QPushButton("Save PNG...", this);
  savePng_->setObjectName("btnSavePng");
  message_ = new QLabel(this);
  message_->setObjectName("lblMessage");
  message_->setStyleSheet("color: #c00000;");
  buttons->addWidget(compute);
  buttons->addWidget(exportCsv_);
  buttons->addWidget(savePng_);
  buttons->addWidget(message_, 1);
  AddCloseButton(this, buttons);
  layout->addLayout(buttons);

  canvas_ = new SurfaceCanvas(state_, this);
  canvas_->setObjectName("surfaceCanvas");
  layout->addWidget(canvas_, 1);

  connect(compute, &QPushButton::clicked, this, &SurfaceWindow::Compute);
  connect(exportCsv_, &QPushButton::clicked, this,
          [this] { RunGuarded(c_, [this] { ExportSurfaceCsv(c_, state_); }); });
  connect(savePng_, &QPushButton::clicked, this, [this] {
    const QByteArray png = PictureBytes();
    RunGuarded(c_, [&] { SaveSurfacePicture(c_, png.toStdString()); });
  });
  resize(820, 720);
}

QLineEdit* SurfaceWindow::HeldBox(int input) const {
  for (const auto& [slot, box] : held_) {
    if (slot == input) return box;
  }
  return nullptr;
}

void SurfaceWindow::Reload() {
  setWindowTitle(Text(SurfaceCaption(c_.model)));
  const std::vector<SurfaceChoice> inputs = SurfaceInputs(c_.model);
  Fill(output_, SurfaceOutputs(c_.model), false, 0);
  Fill(x_, inputs, false, 0);
  Fill(y_, inputs, true, inputs.size() > 1 ? inputs[1].slot : 0);
  // The typed values stay with their inputs across a reload.
  std::map<int, QString> typed;
  for (const auto& [slot, box] : held_) typed[slot] = box->text();
  held_.clear();
  for (QWidget* widget : heldWidgets_) delete widget;
  heldWidgets_.clear();
  int row = 0;
  for (const SurfaceChoice& input : inputs) {
    auto* label = new QLabel(Text(input.name), this);
    auto* box = new QLineEdit(this);
    box->setObjectName("txtHeld");
    box->setProperty("input", input.slot);
    box->setPlaceholderText(Text(input.present));
    box->setText(typed[input.slot]);
    heldGrid_->addWidget(label, row / 3, 2 * (row % 3));
    heldGrid_->addWidget(box, row / 3, 2 * (row % 3) + 1);
    heldWidgets_.push_back(label);
    heldWidgets_.push_back(box);
    held_.push_back({input.slot, box});
    ++row;
  }
  Compute();
}

SurfaceSetup SurfaceWindow::Setup() const {
  SurfaceSetup setup;
  setup.output = output_->currentData().toInt();
  setup.xInput = x_->currentData().toInt();
  setup.yInput = y_->currentData().toInt();
  setup.points = points_->value();
  for (const auto& [slot, box] : held_) setup.held[slot] = box->text().toStdString();
  return setup;
}

void SurfaceWindow::Compute() {
  const SurfaceSetup setup = Setup();
  RunGuarded(c_, [&] { state_ = ComputeSurfaceView(c_.model, c_.grid, setup); });
  message_->setText(Text(state_.refusal));
  const bool computed = !state_.surface.values.empty();
  exportCsv_->setEnabled(computed);
  savePng_->setEnabled(computed);
  canvas_->update();
}

void SurfaceWindow::FollowPlant() {
  RunGuarded(c_, [&] { FollowOperatingPoint(state_, c_.model); });
  canvas_->update();
}

QByteArray SurfaceWindow::PictureBytes() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  canvas_->grab().save(&buffer, "PNG");
  return bytes;
}

SurfaceCanvas::SurfaceCanvas(const SurfaceViewState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
  setMinimumSize(360, 280);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

QRectF SurfaceCanvas::PlotArea() const {
  const QFontMetrics metrics = fontMetrics();
  const double left = metrics.horizontalAdvance("-00000.000") + 12;
  const double bottom = 2.5 * metrics.height() + 8;
  const double right = metrics.horizontalAdvance("-00000.000") + 40;
  const double top = metrics.height() + 10;
  return QRectF(left, top, width() - left - right, height() - top - bottom);
}

QPointF SurfaceCanvas::OperatingPoint() const {
  const QRectF area = PlotArea();
  const auto cells = [](size_t count) { return static_cast<double>(std::max<size_t>(count, 1)); };
  if (state_.IsCurve()) {
    const double n = cells(state_.surface.xs.size() - 1);
    return QPointF(area.left() + state_.pointX / n * area.width(), area.center().y());
  }
  // The middle of the point's cell: cell ix spans ix .. ix + 1 of xs.size() cells.
  const double nx = cells(state_.surface.xs.size());
  const double ny = cells(state_.surface.ys.size());
  return QPointF(area.left() + (state_.pointX + 0.5) / nx * area.width(),
                 area.bottom() - (state_.pointY + 0.5) / ny * area.height());
}

void SurfaceCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (state_.surface.values.empty()) return;
  const QRectF area = PlotArea();
  if (state_.IsCurve()) {
    PaintCurve(p, area);
  } else {
    PaintMap(p, area);
  }
  // The axes' ends and names.
  const QFontMetrics metrics = fontMetrics();
  p.setPen(Qt::black);
  p.drawRect(area);
  const double below = area.bottom() + metrics.ascent() + 4;
  p.drawText(QPointF(area.left(), below), Text(state_.xLowLabel));
  const QString xHigh = Text(state_.xHighLabel);
  p.drawText(QPointF(area.right() - metrics.horizontalAdvance(xHigh), below), xHigh);
  const QString xName = Text(state_.xName);
  p.drawText(
      QPointF(area.center().x() - metrics.horizontalAdvance(xName) / 2.0, below + metrics.height()),
      xName);
  const QString yName = Text(state_.IsCurve() ? state_.outputName : state_.yName);
  p.drawText(QPointF(area.left(), area.top() - 5), yName);
  const QString yLow = Text(state_.IsCurve() ? state_.lowLabel : state_.yLowLabel);
  const QString yHigh = Text(state_.IsCurve() ? state_.highLabel : state_.yHighLabel);
  p.drawText(QPointF(area.left() - metrics.horizontalAdvance(yLow) - 4, area.bottom()), yLow);
  p.drawText(
      QPointF(area.left() - metrics.horizontalAdvance(yHigh) - 4, area.top() + metrics.ascent()),
      yHigh);
  if (!state_.IsCurve()) PaintScale(p, area);
}

void SurfaceCanvas::PaintMap(QPainter& p, const QRectF& area) const {
  const size_t nx = state_.surface.xs.size();
  const size_t ny = state_.surface.ys.size();
  const double w = area.width() / static_cast<double>(nx);
  const double h = area.height() / static_cast<double>(ny);
  for (size_t iy = 0; iy < ny; ++iy) {
    for (size_t ix = 0; ix < nx; ++ix) {
      // Slightly larger than the cell, so no hairline gaps show between cells.
      const QRectF cell(area.left() + ix * w, area.bottom() - (iy + 1) * h, w + 0.6, h + 0.6);
      p.fillRect(cell, ToQColor(state_.cells[iy * nx + ix]));
    }
  }
  if (!state_.pointInside) return;
  const QPointF at = OperatingPoint();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 3));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(at, 7, 7);
  p.setPen(QPen(Qt::black, 1.5));
  p.drawEllipse(at, 7, 7);
  p.drawLine(at - QPointF(11, 0), at + QPointF(11, 0));
  p.drawLine(at - QPointF(0, 11), at + QPointF(0, 11));
  p.setRenderHint(QPainter::Antialiasing, false);
}

void SurfaceCanvas::PaintCurve(QPainter& p, const QRectF& area) const {
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF line;
  for (const SurfacePoint& point : state_.curve) {
    line << QPointF(area.left() + point.x * area.width(), area.bottom() - point.y * area.height());
  }
  p.setPen(QPen(QColor(40, 90, 160), 2));
  p.drawPolyline(line);
  if (state_.pointInside) {
    const double x = OperatingPoint().x();
    p.setPen(QPen(QColor(220, 0, 0), 1.5, Qt::DashLine));
    p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
  }
  p.setRenderHint(QPainter::Antialiasing, false);
}

void SurfaceCanvas::PaintScale(QPainter& p, const QRectF& area) const {
  const QRectF bar(area.right() + 12, area.top(), 16, area.height());
  const double step = bar.height() / kScaleSteps;
  for (int k = 0; k < kScaleSteps; ++k) {
    const float value =
        state_.low + (state_.high - state_.low) * (static_cast<float>(k) + 0.5f) / kScaleSteps;
    p.fillRect(QRectF(bar.left(), bar.bottom() - (k + 1) * step, bar.width(), step + 0.6),
               ToQColor(ScaleColour(value, state_.low, state_.high)));
  }
  p.setPen(Qt::black);
  p.drawRect(bar);
  const QFontMetrics metrics = fontMetrics();
  p.drawText(QPointF(bar.right() + 4, bar.top() + metrics.ascent()), Text(state_.highLabel));
  p.drawText(QPointF(bar.right() + 4, bar.bottom()), Text(state_.lowLabel));
  p.drawText(QPointF(bar.left(), bar.top() - 5), Text(state_.outputName));
}

}  // namespace kavro::ui
