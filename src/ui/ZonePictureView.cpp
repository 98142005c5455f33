#include "ui/ZonePictureView.h"

#include <QPainter>

#include "display/PenColours.h"
#include "display/ZonePicture.h"

namespace kavro::ui {

ZonePictureView::ZonePictureView(const CellTable& zoneGrid, const CellTable& itemGrid,
                                 QWidget* parent)
    : QWidget(parent), zoneGrid_(zoneGrid), itemGrid_(itemGrid) {
  setObjectName("Picture1");
  setMinimumSize(240, 100);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void ZonePictureView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics metrics = fontMetrics();
  const ZonePicture picture =
      DrawZonePicture(zoneGrid_, ZoneAxisTitle(itemGrid_), width(), height(), metrics.height() + 4);
  for (const PictureSegment& s : picture.segments) {
    const Colour c = s.zone == 0 ? kBlack : PenColor(s.zone);
    p.setPen(QPen(QColor(c.Red(), c.Green(), c.Blue()), 2));
    p.drawLine(QPointF(s.from.x, s.from.y), QPointF(s.to.x, s.to.y));
  }
  p.setPen(Qt::black);
  for (const PictureLabel& label : picture.labels) {
    const QString text = QString::fromStdString(label.text);
    const int advance = metrics.horizontalAdvance(text);
    const double x = label.align == LabelAlign::Right    ? label.at.x - advance
                     : label.align == LabelAlign::Centre ? label.at.x - advance / 2.0
                                                         : label.at.x;
    p.drawText(QPointF(x, label.at.y + metrics.ascent()), text);
  }
}

}  // namespace kavro::ui
