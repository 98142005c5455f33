#include "ui/TrendPlotWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>

#include "ui/LabelStyle.h"

namespace kavro::ui {

namespace {

const QColor kGround = QColor(255, 255, 255);
const QColor kFrame = QColor(128, 128, 128);
const QColor kBandLine = QColor(225, 225, 225);
const QColor kCursorLine = QColor(96, 96, 96);

QPointF Place(const TrendPoint& p, const QRectF& area) {
  return {area.left() + p.x * area.width(), area.top() + p.y * area.height()};
}

// The sample under the mouse: a small table of its time and values, each in its pen colour.
QString CursorText(const TrendCursor& cursor) {
  QString html = "<table cellspacing=0 cellpadding=1>";
  for (const TrendCursorLine& line : cursor.lines) {
    html +=
        QString("<tr><td style='color:%1'>%2</td></tr>")
            .arg(ToQColor(line.colour).name(), QString::fromStdString(line.text).toHtmlEscaped());
  }
  return html + "</table>";
}

}  // namespace

void PaintTrend(QPainter& painter, const TrendPicture& picture, const QRectF& area) {
  painter.save();
  painter.fillRect(area, kGround);
  painter.setClipRect(area);
  painter.setPen(QPen(kBandLine, 1, Qt::DotLine));
  for (double y : {picture.bandTop, picture.bandBottom}) {
    const double at = area.top() + y * area.height();
    painter.drawLine(QPointF(area.left(), at), QPointF(area.right(), at));
  }
  QPolygonF line;
  for (const TrendTrace& trace : picture.traces) {
    if (!trace.shown) continue;
    line.clear();
    line.reserve(static_cast<qsizetype>(trace.points.size()));
    for (const TrendPoint& p : trace.points) line.append(Place(p, area));
    painter.setPen(
        QPen(ToQColor(trace.pen), picture.lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    painter.drawPolyline(line);
  }
  painter.restore();
}

TrendCanvas::TrendCanvas(const TrendPicture& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
  setObjectName("Picture2");
  setMouseTracking(true);
  setMinimumHeight(60);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QRectF TrendCanvas::PlotArea() const {
  return QRectF(rect()).adjusted(1, 1, -1, -1);
}

void TrendCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(kFrame);
  painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
  const QRectF area = PlotArea();
  PaintTrend(painter, picture_, area);
  if (cursor_) {
    painter.setClipRect(area);
    painter.setPen(QPen(kCursorLine, 1, Qt::DashLine));
    const double x = area.left() + cursor_->x * area.width();
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
  }
}

void TrendCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QRectF area = PlotArea();
  cursor_ = area.width() > 0
                ? TrendCursorAt(picture_, (event->position().x() - area.left()) / area.width())
                : std::nullopt;
  if (cursor_) {
    QToolTip::showText(event->globalPosition().toPoint(), CursorText(*cursor_), this);
  } else {
    QToolTip::hideText();
  }
  update();
}

void TrendCanvas::leaveEvent(QEvent* event) {
  cursor_.reset();
  QToolTip::hideText();
  update();
  QWidget::leaveEvent(event);
}

TrendPlotWidget::TrendPlotWidget(const WindowState& window, QWidget* parent)
    : QWidget(parent), window_(window) {
  setObjectName("trendArea");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  auto* top = new QGridLayout();
  auto* bottom = new QGridLayout();
  for (int index = 0; index < kTrendVariables; ++index) {
    for (bool isTop : {true, false}) {
      auto* label = new QLabel(this);
      label->setObjectName(isTop ? "lblScaleHi" : "lblScaleLo");
      label->setProperty("index", index);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      label->setCursor(Qt::PointingHandCursor);
      label->setToolTip(isTop ? "Top of the scale: click to fix it or return it to AUTO"
                              : "Bottom of the scale: click to fix it or return it to AUTO");
      label->installEventFilter(this);
      (isTop ? top : bottom)->addWidget(label, 0, index);
      (isTop ? top : bottom)->setColumnStretch(index, 1);
      (isTop ? hi_ : lo_).push_back(label);
    }
  }
  canvas_ = new TrendCanvas(window_.Picture2, this);
  lblPlotTime_ = new QLabel(this);
  lblPlotTime_->setObjectName("lblPlotTime");
  lblPlotTime_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  layout->addLayout(top);
  layout->addWidget(canvas_, 1);
  layout->addLayout(bottom);
  layout->addWidget(lblPlotTime_);
}

QLabel* TrendPlotWidget::ScaleLabel(bool top, int index) const {
  const auto& labels = top ? hi_ : lo_;
  return index >= 0 && index < static_cast<int>(labels.size())
             ? labels[static_cast<std::size_t>(index)]
             : nullptr;
}

void TrendPlotWidget::Render() {
  for (std::size_t v = 0; v < hi_.size(); ++v) {
    ApplyLabel(hi_[v], window_.lblScaleHi[v]);
    ApplyLabel(lo_[v], window_.lblScaleLo[v]);
  }
  ApplyLabel(lblPlotTime_, window_.lblPlotTime);
  canvas_->update();
}

bool TrendPlotWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label && label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
      emit ScaleLabelClicked(label->objectName() == "lblScaleHi", label->property("index").toInt());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kavro::ui
