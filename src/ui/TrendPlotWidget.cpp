#include "ui/TrendPlotWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "ui/LabelStyle.h"

namespace kavro::ui {

namespace {

const QColor kGround = QColor(255, 255, 255);
const QColor kFrame = QColor(128, 128, 128);
const QColor kBandLine = QColor(225, 225, 225);
const QColor kAxisLine = QColor(235, 235, 235);
const QColor kCursorLine = QColor(96, 96, 96);

// A wheel notch zooms in or out by this much.
constexpr double kWheelZoom = 0.8;

// The keys over the plot: the arrows move a quarter of the span, the page keys a whole one,
// + and - zoom in and out twice; End returns to live.
struct TrendKey {
  int key;
  double spans;
  double zoom;
};
constexpr TrendKey kTrendKeys[] = {{Qt::Key_Left, -0.25, 1}, {Qt::Key_Right, 0.25, 1},
                                   {Qt::Key_PageUp, -1, 1},  {Qt::Key_PageDown, 1, 1},
                                   {Qt::Key_Plus, 0, 0.5},   {Qt::Key_Minus, 0, 2}};

QPointF Place(const TrendPoint& p, const QRectF& area) {
  return {area.left() + p.x * area.width(), area.top() + p.y * area.height()};
}

// The cycle under the mouse: a small table of its time and values, each in its pen colour.
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
    painter.setPen(
        QPen(ToQColor(trace.pen), picture.lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    std::size_t from = 0;
    for (std::size_t piece = 0; piece <= trace.breaks.size(); ++piece) {
      const std::size_t to =
          piece < trace.breaks.size() ? trace.breaks[piece] : trace.points.size();
      line.clear();
      for (std::size_t k = from; k < to; ++k) line.append(Place(trace.points[k], area));
      if (line.size() == 1) {
        painter.drawPoint(line.front());  // a lone cycle between gaps
      } else {
        painter.drawPolyline(line);
      }
      from = to;
    }
  }
  painter.restore();
}

TrendCanvas::TrendCanvas(Controller& controller, TrendSubmit submit, QWidget* parent)
    : QWidget(parent), c_(controller), submit_(std::move(submit)) {
  setObjectName("Picture2");
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumHeight(120);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QRectF TrendCanvas::PlotArea() const {
  const int axis = fontMetrics().height() + 4;
  return QRectF(rect()).adjusted(1, 1, -1, -1 - axis);
}

void TrendCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int columns = std::max(2, static_cast<int>(PlotArea().width()));
  submit_([&c = c_, columns] { SetTrendColumns(c, columns); });
}

void TrendCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRectF area = PlotArea();
  painter.fillRect(rect(), palette().window());
  const TrendState& trend = Trend(c_);
  PaintTrend(painter, trend.Picture2, area);
  // The time axis: a faint line at each label, the clock time (and the date where it changes)
  // under the plot.
  const double perColumn = area.width() / std::max(trend.span.Columns(), 1);
  for (const TimeAxisLabel& label : trend.span.AxisLabels()) {
    const double x = area.left() + label.column * perColumn;
    const QString text = QString::fromStdString(label.text);
    if (x + 2 + fontMetrics().horizontalAdvance(text) > area.right()) break;  // no half label
    painter.setPen(QPen(kAxisLine, 1));
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    painter.setPen(palette().windowText().color());
    painter.drawText(QPointF(x + 2, area.bottom() + fontMetrics().ascent() + 2), text);
  }
  painter.setPen(kFrame);
  painter.drawRect(area.adjusted(-0.5, -0.5, 0.5, 0.5));
  if (cursor_) {
    painter.setClipRect(area);
    painter.setPen(QPen(kCursorLine, 1, Qt::DashLine));
    const double x = area.left() + cursor_->x * area.width();
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
  }
}

void TrendCanvas::wheelEvent(QWheelEvent* event) {
  const double factor = event->angleDelta().y() > 0 ? kWheelZoom : 1 / kWheelZoom;
  submit_([&c = c_, factor] { ZoomTrend(c, factor); });
  event->accept();
}

void TrendCanvas::keyPressEvent(QKeyEvent* event) {
  // Calls handed to the gate may run after the cycle in progress: they hold the controller.
  if (event->key() == Qt::Key_End) {
    submit_([&c = c_] { TrendLive(c); });
    return;
  }
  for (const TrendKey& move : kTrendKeys) {
    if (move.key != event->key()) continue;
    submit_([&c = c_, move] {
      if (move.zoom != 1) ZoomTrend(c, move.zoom);
      if (move.spans != 0) ScrollTrend(c, move.spans);
    });
    return;
  }
  QWidget::keyPressEvent(event);
}

void TrendCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragFrom_ = event->position().x();
  setFocus(Qt::MouseFocusReason);
}

void TrendCanvas::mouseReleaseEvent(QMouseEvent*) {
  dragFrom_.reset();
}

void TrendCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QRectF area = PlotArea();
  const double x = event->position().x();
  if ((event->buttons() & Qt::LeftButton) && dragFrom_ && area.width() > 0) {
    // Dragging right pulls older times into view.
    const double spans = (*dragFrom_ - x) / area.width();
    dragFrom_ = x;
    submit_([&c = c_, spans] { ScrollTrend(c, spans); });
    return;
  }
  cursor_ = area.width() > 0 ? TrendCursorAt(c_, (x - area.left()) / area.width()) : std::nullopt;
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

TrendPlotWidget::TrendPlotWidget(Controller& controller, TrendSubmit submit, QWidget* parent)
    : QWidget(parent), c_(controller), submit_(std::move(submit)) {
  setObjectName("trendArea");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  auto* top = new QGridLayout();
  auto* bottom = new QGridLayout();
  top->setVerticalSpacing(0);
  const auto newLabel = [this](const char* name, int index, const char* tip) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setProperty("index", index);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(tip);
    label->installEventFilter(this);
    return label;
  };
  for (int index = 0; index < kTrendVariables; ++index) {
    names_.push_back(newLabel("lblPenName", index, "Click to hide or show this pen"));
    hi_.push_back(
        newLabel("lblScaleHi", index, "Top of the scale: click to fix it or return it to AUTO"));
    lo_.push_back(
        newLabel("lblScaleLo", index, "Bottom of the scale: click to fix it or return it to AUTO"));
    top->addWidget(names_.back(), 0, index);
    top->addWidget(hi_.back(), 1, index);
    bottom->addWidget(lo_.back(), 0, index);
    top->setColumnStretch(index, 1);
    bottom->setColumnStretch(index, 1);
  }
  canvas_ = new TrendCanvas(
      c_, [this](std::function<void()> call) { Run(std::move(call)); }, this);

  auto* controls = new QHBoxLayout();
  for (std::size_t k = 0; k < presets_.size(); ++k) {
    presets_[k] = new QPushButton(TrendZoomCaption(k), this);
    presets_[k]->setObjectName("cmdTrendZoom");
    presets_[k]->setFocusPolicy(Qt::NoFocus);
    connect(presets_[k], &QPushButton::clicked, this,
            [this, k] { Run([&c = c_, k] { ZoomTrendPreset(c, k); }); });
    controls->addWidget(presets_[k]);
  }
  live_ = new QPushButton("Live", this);
  live_->setObjectName("cmdTrendLive");
  live_->setFocusPolicy(Qt::NoFocus);
  connect(live_, &QPushButton::clicked, this, [this] { Run([&c = c_] { TrendLive(c); }); });
  controls->addWidget(live_);
  scroll_ = new QScrollBar(Qt::Horizontal, this);
  scroll_->setObjectName("trendScroll");
  connect(scroll_, &QScrollBar::valueChanged, this, &TrendPlotWidget::ScrollBarMoved);
  controls->addWidget(scroll_, 1);
  lblPlotTime_ = new QLabel(this);
  lblPlotTime_->setObjectName("lblPlotTime");
  lblPlotTime_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  controls->addWidget(lblPlotTime_);

  layout->addLayout(top);
  layout->addWidget(canvas_, 1);
  layout->addLayout(bottom);
  layout->addLayout(controls);
}

void TrendPlotWidget::Run(std::function<void()> call) {
  QPointer<TrendPlotWidget> self(this);
  submit_([self, call = std::move(call)] {
    call();
    if (self) self->Render();
  });
}

QLabel* TrendPlotWidget::ScaleLabel(bool top, int index) const {
  const auto& labels = top ? hi_ : lo_;
  return index >= 0 && index < static_cast<int>(labels.size())
             ? labels[static_cast<std::size_t>(index)]
             : nullptr;
}

QLabel* TrendPlotWidget::NameLabel(int index) const {
  return index >= 0 && index < static_cast<int>(names_.size())
             ? names_[static_cast<std::size_t>(index)]
             : nullptr;
}

void TrendPlotWidget::Render() {
  const TrendState& trend = Trend(c_);
  for (std::size_t v = 0; v < hi_.size(); ++v) {
    ApplyLabel(names_[v], trend.lblPenName[v]);
    ApplyLabel(hi_[v], trend.lblScaleHi[v]);
    ApplyLabel(lo_[v], trend.lblScaleLo[v]);
  }
  ApplyLabel(lblPlotTime_, trend.lblPlotTime);
  live_->setEnabled(!trend.span.Live());
  ShowScrollBar();
  canvas_->update();
}

// The scroll bar runs in minutes from the first cycle recorded to now; its handle is the span.
void TrendPlotWidget::ShowScrollBar() {
  HistoryTrend& span = Trend(c_).span;
  const auto recorded = span.Recorded();
  const std::int64_t now = std::max(TrendNowMs(c_), span.End());
  scrollOrigin_ = recorded ? std::min(recorded->first, span.Start()) : span.Start();
  settingScroll_ = true;
  scroll_->setRange(static_cast<int>(span.SpanMs() / kMinuteMs),
                    static_cast<int>((now - scrollOrigin_) / kMinuteMs));
  scroll_->setPageStep(static_cast<int>(span.SpanMs() / kMinuteMs));
  scroll_->setValue(static_cast<int>((span.End() - scrollOrigin_) / kMinuteMs));
  settingScroll_ = false;
}

void TrendPlotWidget::ScrollBarMoved(int minutes) {
  if (settingScroll_) return;
  if (minutes >= scroll_->maximum()) {
    Run([&c = c_] { TrendLive(c); });
  } else {
    const std::int64_t end = scrollOrigin_ + minutes * kMinuteMs;
    Run([&c = c_, end] { ScrollTrendTo(c, end); });
  }
}

bool TrendPlotWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label && label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
      const int index = label->property("index").toInt();
      if (label->objectName() == "lblPenName") {
        emit PenNameClicked(index);
      } else {
        emit ScaleLabelClicked(label->objectName() == "lblScaleHi", index);
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kavro::ui
