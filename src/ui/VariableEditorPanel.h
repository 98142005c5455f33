#pragma once
// The variable editor (frameConfig "Config"): the item grid and the zone grid with their
// floating edit boxes, the zone picture, the output-type options and the OKAY and CANCEL
// buttons. It draws the core's editor state and passes clicks, keys and buttons to the
// session's edit operations.
#include <QGroupBox>
#include <vector>

#include "edit/AuditTrail.h"
#include "edit/EditState.h"
#include "model/Controller.h"
#include "session/CommandGate.h"

class QLabel;
class QRadioButton;
class QGroupBox;

namespace kavro::ui {

class CellGrid;
class GridEditBox;
class ZonePictureView;

class VariableEditorPanel : public QGroupBox {
  Q_OBJECT
 public:
  // Its edits reach the controller through gate, never in the middle of a cycle.
  VariableEditorPanel(Controller& controller, ConfigEditState& edits, AuditTrail& audit,
                      CommandGate& gate, QWidget* parent = nullptr);
  void Render();

  CellGrid* ItemGrid() const { return itemGrid_; }
  CellGrid* ZoneGrid() const { return zoneGrid_; }
  ZonePictureView* Picture() const { return picture_; }

 signals:
  // The editor stored or left the variable: the main window draws the model anew.
  void Changed();
  // The right button was released over the zone grid: the main window pops up its Copy menu.
  void ZoneGridMenu(const QPoint& globalAt);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Sets the column widths and makes the grid exactly as large as all its cells.
  static void FitGrid(CellGrid* grid, const std::vector<int>& widths);
  void Wire(CellGrid* grid, EditGrid which);
  void Act(std::function<void()> action);

  Controller& c_;
  ConfigEditState& edits_;
  AuditTrail& audit_;
  CommandGate& gate_;
  CellGrid* itemGrid_ = nullptr;
  CellGrid* zoneGrid_ = nullptr;
  GridEditBox* txtEdit2_ = nullptr;
  GridEditBox* txtEdit3_ = nullptr;
  ZonePictureView* picture_ = nullptr;
  QGroupBox* frame3_ = nullptr;
  QRadioButton* optOutputType_[2] = {nullptr, nullptr};
};

}  // namespace kavro::ui
