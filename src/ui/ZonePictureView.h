#pragma once
// Picture1 of the variable editor: the zones of the variable being edited, drawn from the
// geometry the core works out for the zone grid (axes in black, each zone in its pen colour).
#include <QWidget>

#include "model/CellTable.h"

namespace kavro::ui {

class ZonePictureView : public QWidget {
  Q_OBJECT
 public:
  // The zones of zoneGrid on an axis titled with the name and units of itemGrid.
  ZonePictureView(const CellTable& zoneGrid, const CellTable& itemGrid, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const CellTable& zoneGrid_;
  const CellTable& itemGrid_;
};

}  // namespace kavro::ui
