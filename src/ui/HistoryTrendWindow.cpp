#include "ui/HistoryTrendWindow.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <sstream>

#include "common/DurableWrite.h"
#include "history/HistoryTime.h"

namespace kavro::ui {
namespace {

// Room for the pens' scales on the left and the time labels below.
constexpr int kScaleWidth = 150;
constexpr int kAxisHeight = 22;
constexpr int kMargin = 6;

QColor ColourOf(Colour colour) { return QColor(colour.Red(), colour.Green(), colour.Blue()); }

std::int64_t Now(Controller& c) {
  return HistoryMs(c.ports.clock->Now(), c.ports.clock->SecondsOfDay());
}

}  // namespace

HistoryTrendCanvas::HistoryTrendCanvas(HistoryTrend& trend, QWidget* parent)
    : QWidget(parent), trend_(trend) {
  setMinimumSize(400, 200);
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAutoFillBackground(true);
  QPalette shade = palette();
  shade.setColor(QPalette::Window, Qt::white);
  setPalette(shade);
}

QRect HistoryTrendCanvas::PlotArea() const {
  return QRect(kScaleWidth, kMargin, std::max(width() - kScaleWidth - kMargin, 2),
               std::max(height() - kAxisHeight - 2 * kMargin, 2));
}

void HistoryTrendCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  trend_.SetColumns(PlotArea().width());
  emit ColumnsChanged();
}

void HistoryTrendCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect plot = PlotArea();
  painter.setPen(Qt::lightGray);
  painter.drawRect(plot.adjusted(0, 0, -1, -1));
  const QFontMetrics metrics(font());
  for (const TimeAxisLabel& label : trend_.AxisLabels()) {
    const int x = plot.left() + label.column;
    painter.setPen(QColor(230, 230, 230));
    painter.drawLine(x, plot.top(), x, plot.bottom());
    painter.setPen(Qt::black);
    painter.drawText(x + 2, plot.bottom() + metrics.ascent() + 4, QString::fromStdString(label.text));
  }
  const auto& pens = trend_.Pens();
  // Each pen's scale: its name and range, in its colour, stacked down the left.
  const int line = metrics.height();
  for (std::size_t k = 0; k < pens.size(); ++k) {
    const HistoryPen& pen = pens[k];
    painter.setPen(ColourOf(pen.colour));
    const int y = plot.top() + static_cast<int>(k) * line;
    painter.drawText(kMargin, y + metrics.ascent(),
                     QString::fromStdString(pen.name + " " + pen.scaleBottom + " .. " + pen.scaleTop));
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const HistoryPen& pen : pens) {
    painter.setPen(QPen(ColourOf(pen.colour), 1));
    const double scale = plot.height() / (pen.top - pen.bottom);
    const auto yOf = [&](double value) {
      return plot.bottom() - static_cast<int>((value - pen.bottom) * scale);
    };
    painter.setClipRect(plot);
    bool joined = false;  // a column before this one to join
    int previous = 0;
    for (std::size_t column = 0; column < pen.columns.size(); ++column) {
      const ColumnExtremes& cell = pen.columns[column];
      if (!cell.any) {
        joined = false;  // a gap in the history stays a gap
        continue;
      }
      const int x = plot.left() + static_cast<int>(column);
      const int high = yOf(cell.max), low = yOf(cell.min);
      // The column's range, joined to the column before so a slow trace stays one line.
      const int from = joined ? std::min(high, previous) : high;
      const int to = joined ? std::max(low, previous) : low;
      painter.drawLine(x, from, x, to);
      previous = yOf((cell.min + cell.max) / 2);
      joined = true;
    }
    painter.setClipping(false);
  }
}

void HistoryTrendCanvas::wheelEvent(QWheelEvent* event) {
  emit Zoomed(event->angleDelta().y() > 0 ? 0.8 : 1.25);
  event->accept();
}

void HistoryTrendCanvas::mousePressEvent(QMouseEvent* event) {
  dragFrom_ = static_cast<int>(event->position().x());
}

void HistoryTrendCanvas::mouseMoveEvent(QMouseEvent* event) {
  const int x = static_cast<int>(event->position().x());
  if ((event->buttons() & Qt::LeftButton) && dragFrom_ >= 0) {
    // Dragging right pulls older times into view.
    emit Dragged(static_cast<double>(dragFrom_ - x) / PlotArea().width());
    dragFrom_ = x;
    return;
  }
  emit CursorAt(x - PlotArea().left());
}

HistoryTrendWindow::HistoryTrendWindow(Controller& controller, QWidget* parent)
    : QWidget(parent, Qt::Window), c_(controller), trend_(controller.model.WorkDir) {
  setWindowTitle(QString::fromStdString(controller.model.FLCBlock.Name1 + " - Trend History"));
  canvas_ = new HistoryTrendCanvas(trend_, this);
  auto* buttons = new QHBoxLayout;
  for (std::size_t k = 0; k < presets_.size(); ++k) {
    presets_[k] = new QPushButton(TrendZoomCaption(k), this);
    connect(presets_[k], &QPushButton::clicked, this, [this, k] {
      trend_.ZoomPreset(k);
      Refresh();
    });
    buttons->addWidget(presets_[k]);
  }
  buttons->addStretch();
  live_ = new QPushButton("Live", this);
  connect(live_, &QPushButton::clicked, this, [this] {
    trend_.GoLive();
    Refresh();
  });
  buttons->addWidget(live_);
  auto* exportButton = new QPushButton("Export CSV...", this);
  connect(exportButton, &QPushButton::clicked, this, &HistoryTrendWindow::AskExport);
  buttons->addWidget(exportButton);
  scroll_ = new QScrollBar(Qt::Horizontal, this);
  connect(scroll_, &QScrollBar::valueChanged, this, &HistoryTrendWindow::ScrollBarMoved);
  reading_ = new QLabel(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(canvas_, 1);
  layout->addWidget(scroll_);
  layout->addWidget(reading_);
  connect(canvas_, &HistoryTrendCanvas::ColumnsChanged, this, &HistoryTrendWindow::Refresh);
  connect(canvas_, &HistoryTrendCanvas::Dragged, this, [this](double spans) {
    trend_.ScrollBy(spans);
    Refresh();
  });
  connect(canvas_, &HistoryTrendCanvas::Zoomed, this, [this](double factor) {
    trend_.Zoom(factor);
    Refresh();
  });
  connect(canvas_, &HistoryTrendCanvas::CursorAt, this, &HistoryTrendWindow::CursorMoved);
  setFocusPolicy(Qt::StrongFocus);
  resize(1000, 500);
}

HistoryTrendWindow::~HistoryTrendWindow() = default;

void HistoryTrendWindow::Refresh() { RefreshAt(Now(c_)); }

void HistoryTrendWindow::RefreshAt(std::int64_t now) {
  trend_.Refresh(now);
  live_->setEnabled(!trend_.Live());
  ShowScrollBar(now);
  canvas_->update();
}

// The scroll bar runs in minutes from the first cycle recorded to now; its handle is the span.
void HistoryTrendWindow::ShowScrollBar(std::int64_t until) {
  const auto recorded = trend_.Recorded();
  const std::int64_t now = std::max(until, trend_.End());
  scrollOrigin_ = recorded ? std::min(recorded->first, trend_.Start()) : trend_.Start();
  settingScroll_ = true;
  scroll_->setRange(static_cast<int>(trend_.SpanMs() / kMinuteMs),
                    static_cast<int>((now - scrollOrigin_) / kMinuteMs));
  scroll_->setPageStep(static_cast<int>(trend_.SpanMs() / kMinuteMs));
  scroll_->setValue(static_cast<int>((trend_.End() - scrollOrigin_) / kMinuteMs));
  settingScroll_ = false;
}

void HistoryTrendWindow::ScrollBarMoved(int minutes) {
  if (settingScroll_) return;
  if (minutes >= scroll_->maximum()) {
    trend_.GoLive();
  } else {
    trend_.ScrollTo(scrollOrigin_ + minutes * kMinuteMs);
  }
  Refresh();
}

void HistoryTrendWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left: trend_.ScrollBy(-0.25); break;
    case Qt::Key_Right: trend_.ScrollBy(0.25); break;
    case Qt::Key_PageUp: trend_.ScrollBy(-1); break;
    case Qt::Key_PageDown: trend_.ScrollBy(1); break;
    case Qt::Key_Plus: trend_.Zoom(0.5); break;
    case Qt::Key_Minus: trend_.Zoom(2); break;
    case Qt::Key_End: trend_.GoLive(); break;
    default: QWidget::keyPressEvent(event); return;
  }
  Refresh();
}

void HistoryTrendWindow::CursorMoved(int column) {
  const auto reading = trend_.CursorAt(column);
  if (!reading) {
    reading_->clear();
    return;
  }
  std::string text = reading->time;
  for (const auto& [name, value] : reading->values) text += "   " + name + " " + value;
  reading_->setText(QString::fromStdString(text));
}

bool HistoryTrendWindow::ExportTo(const std::string& path) {
  std::ostringstream csv;
  trend_.ExportCsv(csv);
  return WriteFileDurably(path, csv.str(), nullptr);
}

void HistoryTrendWindow::AskExport() {
  const QString path = QFileDialog::getSaveFileName(
      this, "Export Trend History", QString::fromStdString(c_.model.WorkDir), "CSV (*.csv)");
  if (path.isEmpty()) return;
  if (!ExportTo(path.toStdString())) {
    QMessageBox::warning(this, QString::fromStdString(c_.model.FLCBlock.Name1),
                         "The trend history could not be written to " + path);
  }
}

}  // namespace kavro::ui
