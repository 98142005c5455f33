#include "ui/VariableEditorPanel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "display/VariableEditorView.h"
#include "edit/CellEdit.h"
#include "edit/VariableEditor.h"
#include "session/GuardedCall.h"
#include "session/SettingsCommands.h"
#include "ui/CellGrid.h"
#include "ui/GridEditBox.h"
#include "ui/ZonePictureView.h"

namespace kavro::ui {

VariableEditorPanel::VariableEditorPanel(Controller& controller, ConfigEditState& edits,
                                         AuditTrail& audit, CommandGate& gate, QWidget* parent)
    : QGroupBox("Config", parent), c_(controller), edits_(edits), audit_(audit), gate_(gate) {
  setObjectName("frameConfig");
  auto* layout = new QVBoxLayout(this);
  auto* title =
      new QLabel("Configuration - Variable, DCS Interface and Membership Functions", this);
  title->setObjectName("Label1");
  title->setWordWrap(true);
  layout->addWidget(title);

  // Each grid as large as its texts, so nothing is cut and nothing scrolls: the items with the
  // output type and the buttons under them, the zones beside them, the picture below both.
  const QFontMetrics metrics = fontMetrics();
  const auto fit = [&metrics](const char* text) { return metrics.horizontalAdvance(text) + 14; };
  itemGrid_ = new CellGrid(edits_.variable.MSHFlexGrid2, true, this);
  itemGrid_->setObjectName("MSHFlexGrid2");
  FitGrid(itemGrid_, {fit("DCS ChangeTime"), std::max(140, fit("KILN1.CHANGETIME"))});
  zoneGrid_ = new CellGrid(edits_.variable.MSHFlexGrid3, true, this);
  zoneGrid_->setObjectName("MSHFlexGrid3");
  const int point = fit("-0000.000");
  FitGrid(zoneGrid_, {fit("Zone Name"), fit("Process Value"), point, point, point, point});
  Wire(itemGrid_, EditGrid::Item);
  Wire(zoneGrid_, EditGrid::Zone);

  auto* left = new QVBoxLayout();
  left->addWidget(itemGrid_);
  frame3_ = new QGroupBox("Output Type", this);
  frame3_->setObjectName("frame3");
  auto* types = new QHBoxLayout(frame3_);
  for (int i = 0; i < 2; ++i) {
    optOutputType_[i] = new QRadioButton(kOutputTypeCaptions[static_cast<size_t>(i)], frame3_);
    optOutputType_[i]->setObjectName("optOutputType");
    optOutputType_[i]->setProperty("index", i);
    connect(optOutputType_[i], &QRadioButton::clicked, this, [this, i] {
      edits_.variable.optOutputType = i;
      c_.model.ChangesPending = true;
    });
    types->addWidget(optOutputType_[i]);
  }
  left->addWidget(frame3_);

  auto* buttons = new QHBoxLayout();
  auto* ok = new QPushButton("OKAY", this);
  ok->setObjectName("cmdOK");
  auto* cancel = new QPushButton("CANCEL", this);
  cancel->setObjectName("cmdCancel");
  connect(ok, &QPushButton::clicked, this, [this] {
    Act([this] { CommitCellEdit(c_, edits_, audit_, EditGrid::Item); });
    Act([this] { CommitCellEdit(c_, edits_, audit_, EditGrid::Zone); });
    Act([this] { AcceptVariableEdit(c_, edits_.variable, audit_); });
  });
  connect(cancel, &QPushButton::clicked, this,
          [this] { Act([this] { LeaveVariableEdit(c_, edits_.variable); }); });
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  left->addLayout(buttons);
  left->addStretch(1);

  auto* grids = new QHBoxLayout();
  grids->addLayout(left);
  grids->addWidget(zoneGrid_, 0, Qt::AlignTop);
  layout->addLayout(grids);

  picture_ = new ZonePictureView(edits_.variable.MSHFlexGrid3, edits_.variable.MSHFlexGrid2, this);
  layout->addWidget(picture_, 1);
  hide();
}

void VariableEditorPanel::FitGrid(CellGrid* grid, const std::vector<int>& widths) {
  grid->SetColumnWidths(widths);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  int width = 2 * grid->frameWidth();
  for (const int w : widths) width += w;
  grid->setFixedSize(width, grid->HeightOfRows(grid->model()->rowCount()));
}

void VariableEditorPanel::Wire(CellGrid* grid, EditGrid which) {
  auto* box = new GridEditBox(
      grid, EditBoxOf(edits_, which),
      [this, which](int key) {
        Act([this, which, key] { EditBoxKeyDown(c_, edits_, audit_, which, key); });
      },
      [this, which] { Act([this, which] { CommitCellEdit(c_, edits_, audit_, which); }); });
  box->setObjectName(which == EditGrid::Item ? "txtEdit2" : "txtEdit3");
  (which == EditGrid::Item ? txtEdit2_ : txtEdit3_) = box;
  connect(grid, &QAbstractItemView::clicked, this, [this, which](const QModelIndex& at) {
    Act([this, which, at] { ClickEditorGrid(c_, edits_, audit_, which, at.row(), at.column()); });
  });
  connect(grid, &CellGrid::CursorMoved, this, [this, which](int row, int col) {
    Act([this, which, row, col] { MoveToGridCell(c_, edits_, which, row, col); });
  });
  connect(grid, &QAbstractItemView::doubleClicked, this, [this, which](const QModelIndex& at) {
    Act([this, which, at] { DoubleClickGrid(c_, edits_, audit_, which, at.row(), at.column()); });
  });
  grid->installEventFilter(this);
  if (which == EditGrid::Zone) {
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& at) {
      emit ZoneGridMenu(grid->viewport()->mapToGlobal(at));
    });
  }
}

bool VariableEditorPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == itemGrid_ || watched == zoneGrid_)) {
    const auto& key = *static_cast<QKeyEvent*>(event);
    const EditGrid which = watched == itemGrid_ ? EditGrid::Item : EditGrid::Zone;
    if (const int typed = GridKeyChar(key)) {
      Act([this, which, typed] { KeyPressOnGrid(c_, edits_, which, typed); });
      return true;
    }
  }
  return QGroupBox::eventFilter(watched, event);
}

void VariableEditorPanel::Act(std::function<void()> action) {
  gate_.Submit(CommandKind::Changes, [this, action = std::move(action)] {
    RunGuarded(c_, action);
    emit Changed();
  });
}

void VariableEditorPanel::Render() {
  const VariableEditor& v = edits_.variable;
  setVisible(v.visible);
  itemGrid_->Refresh();
  zoneGrid_->Refresh();
  txtEdit2_->Render();
  txtEdit3_->Render();
  frame3_->setVisible(v.frame3Visible);
  optOutputType_[v.optOutputType == 1 ? 1 : 0]->setChecked(true);
  picture_->update();
}

}  // namespace kavro::ui
