#include "ui/FLControl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include <QKeyEvent>
#include <QMenu>

#include "display/CalcReportList.h"
#include "display/MenuTree.h"
#include "display/StatusFrame.h"
#include "display/StatusRefresh.h"
#include "edit/CellEdit.h"
#include "edit/ControllerSettings.h"
#include "edit/MainGridClick.h"
#include "display/RuleRowsSelector.h"
#include "session/GuardedCall.h"
#include "session/SettingsCommands.h"
#include "session/Shutdown.h"
#include "session/TrendCommands.h"
#include "ui/CellGrid.h"
#include "ui/ColumnStrip.h"
#include "ui/EventLogView.h"
#include "ui/GridEditBox.h"
#include "ui/SettingsPanel.h"
#include "ui/VariableEditorPanel.h"
#include "ui/LabelStyle.h"
#include "ui/TrendPlotWidget.h"
#include "ui/LinkDebugPanel.h"

namespace kavro::ui {

namespace {

QString ColourName(Colour c) { return ToQColor(c).name(); }

QLabel* NewLabel(const char* name, QWidget* parent, Qt::Alignment align = Qt::AlignCenter) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAlignment(align);
  return label;
}

// Image1: three membership functions over a line, the controller's own picture.
QPixmap ControllerPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = size, h = size;
  const QColor colours[] = {QColor(0, 0, 255), QColor(0, 160, 0), QColor(255, 0, 0)};
  for (int k = 0; k < 3; ++k) {
    p.setPen(QPen(colours[k], 2));
    const double x0 = w * (0.05 + 0.3 * k);
    p.drawPolyline(QPolygonF({QPointF(x0, h * 0.85), QPointF(x0 + w * 0.15, h * 0.15),
                              QPointF(x0 + w * 0.3, h * 0.15), QPointF(x0 + w * 0.45, h * 0.85)}));
  }
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(0, h * 0.88), QPointF(w, h * 0.88));
  return picture;
}

// Grid column widths in units: the row labels and the controller column a little wider.
constexpr double kColumnUnits[] = {1.3, 1.15, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr int kMinGridRows = 8;  // the grid never shrinks below these rows on a small screen

}  // namespace

FLControl::FLControl(ControllerSession& session, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      c_(session.controller()),
      commands_(session.commands()) {
  setObjectName("FLControl");
  auto* central = new QWidget(this);
  central->setObjectName("central");
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->setSpacing(3);
  layout->addWidget(BuildTitleRow());
  // The link debug panel takes the rule selector's place at the top while it is open.
  Frame1_ = new LinkDebugPanel(
      *c_.window.Frame1, [this](const std::string& name) { RunCommand(name); }, central);
  layout->addWidget(Frame1_);

  grid_ = new CellGrid(c_.grid, true, central);
  grid_->setObjectName("MSHFlexGrid1");
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid_->setMinimumHeight(grid_->HeightOfRows(kMinGridRows));
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  grid_->installEventFilter(this);  // columns follow the grid's width; keys open the edit box
  // The two configuration panels stand beside the grid while one is open.
  auto* gridRow = new QHBoxLayout();
  gridRow->addWidget(grid_, 1);
  gridRow->addWidget(BuildEditorColumn(central));
  layout->addLayout(gridRow, 3);

  strip_ = new CellGrid(c_.strip, true, central);
  strip_->setObjectName("MSHFlexGrid4");
  strip_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  strip_->setFixedHeight(strip_->HeightOfRows(1));
  layout->addWidget(strip_);

  indexRow_ = new ColumnStrip(central);
  indexRow_->setObjectName("indexRow");
  for (int i = 0; i < NumIn; ++i) {
    QLabel* label = NewLabel("lblVarIndex", indexRow_);
    label->setProperty("index", i);
    indexRow_->Place(label, 2 + i);
    lblVarIndex_.push_back(label);
  }
  for (int k = 0; k < NumOut; ++k) {
    QLabel* label = NewLabel("lblClamp", indexRow_);
    label->setProperty("index", k);
    indexRow_->Place(label, 2 + NumIn + k);
    lblClamp_.push_back(label);
  }
  layout->addWidget(indexRow_);

  // The trend area beside the status frame, its scale labels over and under the plot.
  auto* bottom = new QHBoxLayout();
  // Moving over the history changes what is viewed, not the controller.
  trend_ = new TrendPlotWidget(
      c_, [this](std::function<void()> call) { Submit(CommandKind::Looks, std::move(call)); },
      central);
  connect(trend_, &TrendPlotWidget::PenNameClicked, this, [this](int index) {
    Submit(CommandKind::Looks,
           [this, index] { MainGridNameClick(c_, grid::InputColumn(1) + index); });
  });
  connect(trend_, &TrendPlotWidget::ScaleLabelClicked, this, [this](bool top, int index) {
    Change([this, top, index] {
      if (top) {
        lblScaleHi_Click(c_, index);
      } else {
        lblScaleLo_Click(c_, index);
      }
    });
  });
  connect(grid_, &QAbstractItemView::clicked, this, [this](const QModelIndex& at) {
    if (at.row() != grid::kRowName) return;
    // Hiding or showing a pen changes what is viewed, not the controller.
    Submit(CommandKind::Looks, [this, column = at.column()] { MainGridNameClick(c_, column); });
  });
  bottom->addWidget(trend_, 1);
  bottom->addWidget(BuildStatusFrame());
  // The trend takes two fifths of the height the window gains.
  layout->addLayout(bottom, 2);
  layout->addWidget(BuildNoticePanel());

  lstDebug_ = new QListWidget(central);
  lstDebug_->setObjectName("lstDebug");
  lstDebug_->setFont(QFont("DejaVu Sans Mono"));
  lstDebug_->hide();

  setCentralWidget(central);
  BuildMenus();
  connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (QMenu* popup = MenuOf("mnuEdit")) popup->exec(grid_->viewport()->mapToGlobal(at));
  });
  connect(grid_, &QAbstractItemView::clicked, this, [this](const QModelIndex& at) {
    Change([this, row = at.row(), column = at.column()] {
      ClickMainGridAndOpen(c_, session_.edits(), session_.audit(), row, column);
    });
  });
  connect(grid_, &CellGrid::CursorMoved, this, [this](int row, int col) {
    Change([this, row, col] { MoveToGridCell(c_, session_.edits(), EditGrid::Main, row, col); });
  });
  connect(grid_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& at) {
    Change([this, row = at.row(), column = at.column()] {
      DoubleClickGrid(c_, session_.edits(), session_.audit(), EditGrid::Main, row, column);
    });
  });
  txtEdit1_ = new GridEditBox(
      grid_, session_.edits().txtEdit1,
      [this](int key) {
        Change([this, key] {
          EditBoxKeyDown(c_, session_.edits(), session_.audit(), EditGrid::Main, key);
        });
      },
      [this] {
        Change([this] { CommitCellEdit(c_, session_.edits(), session_.audit(), EditGrid::Main); });
      });
  txtEdit1_->setObjectName("txtEdit1");
  eventLog_ = new EventLogView(
      c_.events,
      [this] { return AuditLinesNewestFirst(*c_.ports.files, AuditPath(c_.model)); }, this);
}

FLControl::~FLControl() {
  // Taking the window down moves the focus around; nothing may reach the core from here on.
  cmbDisplayRules_->lineEdit()->removeEventFilter(this);
  grid_->removeEventFilter(this);
  cmbDisplayRules_->disconnect(this);
  // A box losing the focus while the window goes must not commit into the core any more.
  txtEdit1_->disconnect(this);
  session_.edits().txtEdit1.visible = false;
  session_.edits().txtEdit2.visible = false;
  session_.edits().txtEdit3.visible = false;
}

QWidget* FLControl::BuildTitleRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* image = NewLabel("Image1", row);
  image->setPixmap(ControllerPicture(26));
  layout->addWidget(image);
  Label3_ = NewLabel("Label3", row, Qt::AlignLeft | Qt::AlignVCenter);
  QFont big = Label3_->font();
  big.setPointSizeF(big.pointSizeF() * 1.35);
  big.setBold(true);
  Label3_->setFont(big);
  layout->addWidget(Label3_, 1);
  Label4_ = NewLabel("Label4", row, Qt::AlignRight | Qt::AlignVCenter);
  layout->addWidget(Label4_);
  layout->addSpacing(12);
  auto* rulesCaption = new QLabel("Rule rows:", row);
  layout->addWidget(rulesCaption);
  cmbDisplayRules_ = new QComboBox(row);
  cmbDisplayRules_->setObjectName("cmbDisplayRules");
  cmbDisplayRules_->setEditable(true);
  cmbDisplayRules_->setInsertPolicy(QComboBox::NoInsert);
  cmbDisplayRules_->setMinimumContentsLength(5);
  cmbDisplayRules_->lineEdit()->installEventFilter(this);
  connect(cmbDisplayRules_, &QComboBox::activated, this, [this](int) { ApplyRuleRowsText(); });
  layout->addWidget(cmbDisplayRules_);
  return row;
}

QWidget* FLControl::BuildStatusFrame() {
  frameStatus_ = new QGroupBox("Status", this);
  frameStatus_->setObjectName("frameStatus");
  auto* layout = new QVBoxLayout(frameStatus_);
  layout->setSpacing(3);
  auto* indicators = new QHBoxLayout();
  lblPreScript_ = NewLabel("lblPreScript", frameStatus_);
  lblPostScript_ = NewLabel("lblPostScript", frameStatus_);
  lblMode_ = NewLabel("lblMode", frameStatus_);
  lblLink_ = NewLabel("lblLink", frameStatus_);
  for (QLabel* l : {lblPreScript_, lblPostScript_, lblMode_, lblLink_}) {
    l->setFrameShape(QFrame::Panel);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance("PostScript") + 16);
    indicators->addWidget(l);
  }
  layout->addLayout(indicators);
  lblErrorCode_ = NewLabel("lblErrorCode", frameStatus_, Qt::AlignLeft | Qt::AlignVCenter);
  lblErrorCode_->setWordWrap(true);
  layout->addWidget(lblErrorCode_);
  for (int i = 0; i < 3; ++i) {
    QLabel* label = NewLabel("Label5", frameStatus_, Qt::AlignLeft | Qt::AlignVCenter);
    label->setProperty("index", i);
    label->setMinimumWidth(
        label->fontMetrics().horizontalAdvance(" Last Run:   Dec-31-2026 23:59:59;  Wait = 999.9s "));
    layout->addWidget(label);
    Label5_.push_back(label);
  }
  auto* logButton = new QPushButton("Event Log...", frameStatus_);
  logButton->setObjectName("cmdEventLog");
  connect(logButton, &QPushButton::clicked, this, &FLControl::ShowEventLog);
  layout->addWidget(logButton, 0, Qt::AlignRight);
  frameStatus_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  return frameStatus_;
}

QWidget* FLControl::BuildNoticePanel() {
  noticePanel_ = new QFrame(this);
  noticePanel_->setObjectName("noticePanel");
  noticePanel_->setFrameShape(QFrame::StyledPanel);
  noticePanel_->setStyleSheet(
      "QFrame#noticePanel { background-color: #fff4c8; border: 1px solid #c08000; }");
  auto* layout = new QHBoxLayout(noticePanel_);
  noticeText_ = NewLabel("noticeText", noticePanel_, Qt::AlignLeft | Qt::AlignVCenter);
  noticeText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(noticeText_, 1);
  auto* log = new QPushButton("Event Log...", noticePanel_);
  log->setObjectName("cmdNoticeLog");
  auto* dismiss = new QPushButton("Dismiss", noticePanel_);
  dismiss->setObjectName("cmdDismissNotice");
  connect(log, &QPushButton::clicked, this, &FLControl::ShowEventLog);
  connect(dismiss, &QPushButton::clicked, this, [this] {
    Change([this] { c_.events.DismissNotice(); });
  });
  layout->addWidget(log, 0, Qt::AlignTop);
  layout->addWidget(dismiss, 0, Qt::AlignTop);
  noticePanel_->hide();
  return noticePanel_;
}

QWidget* FLControl::BuildEditorColumn(QWidget* parent) {
  auto* column = new QWidget(parent);
  column->setObjectName("editorColumn");
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  ConfigEditState& edits = session_.edits();
  settings_ = new SettingsPanel(
      edits.settings,
      [this](int box) {
        Change([this, box] { CheckRunFrequencyBox(c_, session_.edits().settings, box); });
      },
      [this] {
        Change(
            [this] { AcceptControllerSettings(c_, session_.edits().settings, session_.audit()); });
      },
      column);
  variableEditor_ = new VariableEditorPanel(c_, edits, session_.audit(), session_.gate(), column);
  connect(variableEditor_, &VariableEditorPanel::Changed, this, [this] {
    // A stored variable changes names, limits and zones the status display shows.
    if (!session_.edits().variable.visible) RunGuarded(c_, [this] { RefreshStatus(c_); });
    Render();
  });
  connect(variableEditor_, &VariableEditorPanel::ZoneGridMenu, this, [this](const QPoint& at) {
    if (QMenu* popup = MenuOf("mnuEdit3")) popup->exec(at);
  });
  editWarnings_ = NewLabel("lblEditWarnings", column, Qt::AlignLeft | Qt::AlignTop);
  editWarnings_->setWordWrap(true);
  editWarnings_->setStyleSheet("QLabel { background-color: #fff4c8; border: 1px solid #c08000; }");
  editWarnings_->hide();
  layout->addWidget(settings_);
  layout->addWidget(variableEditor_, 1);
  layout->addWidget(editWarnings_);
  // As wide as the panel that is open needs, so none of its texts is cut.
  column->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  column->hide();
  return column;
}

void FLControl::Change(std::function<void()> operation) {
  Submit(CommandKind::Changes, std::move(operation));
}

void FLControl::Submit(CommandKind kind, std::function<void()> operation) {
  // Drawn however it ended: a refused edit shows its message and the old value.
  session_.Submit(kind, [this, operation = std::move(operation)] {
    RunGuarded(c_, operation);
    Render();
  });
}

void FLControl::RenderEditors() {
  const ConfigEditState& edits = session_.edits();
  settings_->Render();
  variableEditor_->Render();
  txtEdit1_->Render();
  QStringList warnings;
  for (const std::string& w : edits.variable.warnings) warnings << QString::fromStdString(w);
  editWarnings_->setText(warnings.join("\n"));
  editWarnings_->setVisible(!warnings.isEmpty() && !edits.variable.visible);
  QWidget* column = settings_->parentWidget();
  column->setVisible(edits.settings.visible || edits.variable.visible || !warnings.isEmpty());
}

void FLControl::BuildMenus() {
  for (const Menu& menu : MenuBar()) {
    auto* qmenu = new QMenu(QString::fromStdString(menu.caption), this);
    qmenu->setObjectName(QString::fromStdString(menu.name));
    if (!menu.hidden) menuBar()->addMenu(qmenu);
    menus_[menu.name] = qmenu;
    for (const MenuItem& item : menu.items) {
      if (item.IsSeparator()) {
        qmenu->addSeparator();
        continue;
      }
      QAction* action = qmenu->addAction(QString::fromStdString(item.caption));
      action->setObjectName(QString::fromStdString(item.name));
      action->setCheckable(item.checked != nullptr);
      const std::string name = item.name;
      connect(action, &QAction::triggered, this, [this, name] { RunCommand(name); });
      actions_[item.name] = action;
    }
  }
}

QAction* FLControl::Action(const std::string& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* FLControl::MenuOf(const std::string& name) const {
  const auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second;
}

void FLControl::ShowEventLog() {
  eventLog_->Refresh();
  eventLog_->RefreshAudit();
  eventLog_->show();
  eventLog_->raise();
}

void FLControl::RunCommand(const std::string& name) {
  // Through the gate: a command that changes the controller waits for the end of a cycle.
  session_.Submit(CommandKindOf(name), [this, name] {
    RunMenuCommand(c_, commands_, name);
    if (c_.model.ExitRequested) {
      closing_ = true;
      emit ExitConfirmed();
      return;
    }
    Render();
  });
}

void FLControl::ApplyRuleRowsText() {
  Change([this, text = cmbDisplayRules_->currentText().toStdString()] {
    cmbDisplayRules_LostFocus(c_, text);
  });
}

bool FLControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (const int typed = GridKeyChar(key)) {
      Change([this, typed] { KeyPressOnGrid(c_, session_.edits(), EditGrid::Main, typed); });
      return true;
    }
  }
  if (watched == grid_ && event->type() == QEvent::Resize) {
    ArrangeColumns();
    RenderDebugList();
  }
  if (event->type() == QEvent::FocusOut && watched == cmbDisplayRules_->lineEdit()) {
    const auto* focus = static_cast<QFocusEvent*>(event);
    // Focus moving into the selector's own list is not leaving the selector.
    if (focus->reason() != Qt::PopupFocusReason) ApplyRuleRowsText();
  }
  return QMainWindow::eventFilter(watched, event);
}

void FLControl::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  event->ignore();
  RunGuarded(c_, [this] {
    FLControlQueryUnload(c_);
    Render();
  });
}

void FLControl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) c_.window.minimised = isMinimized();
  QMainWindow::changeEvent(event);
}

void FLControl::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ArrangeColumns();
  RenderDebugList();
}

void FLControl::LayoutForScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  // A plant screen is at least 1280 x 800: take most of it, and all of a small one.
  const int width = std::min(area.width(), std::max(1240, area.width() * 9 / 10));
  const int height = std::min(area.height(), std::max(760, area.height() * 9 / 10));
  resize(width, height);
  move(area.x() + (area.width() - frameGeometry().width()) / 2,
       area.y() + (area.height() - frameGeometry().height()) / 2);
  ArrangeColumns();
}

void FLControl::ArrangeColumns() {
  if (!grid_) return;
  const int scroll = grid_->verticalScrollBar()->sizeHint().width();
  const int available = grid_->width() - 2 * grid_->frameWidth() - scroll;
  double units = 0;
  for (double u : kColumnUnits) units += u;
  std::vector<int> widths;
  int used = 0;
  for (std::size_t col = 0; col < std::size(kColumnUnits); ++col) {
    const int w = col + 1 == std::size(kColumnUnits)
                      ? available - used
                      : static_cast<int>(available * kColumnUnits[col] / units);
    widths.push_back(std::max(w, 20));
    used += w;
  }
  grid_->SetColumnWidths(widths);
  strip_->SetColumnWidths(widths);
  const int left = grid_->frameWidth();
  indexRow_->SetColumns(widths, left);
}

void FLControl::Render() {
  const RuleRowsState& w = *c_.window.ruleRows;
  setWindowTitle(QString::fromStdString(c_.window.status->caption));
  grid_->Refresh();
  strip_->Refresh();
  grid_->setMaximumHeight(std::max(grid_->minimumHeight(),
                                   grid_->HeightOfRows(std::clamp(w.RuleRowsShown, 1, grid::kRows))));
  RenderLabels();
  RenderMenus();
  if (cmbDisplayRules_->count() != static_cast<int>(w.cmbDisplayRules.size())) {
    cmbDisplayRules_->clear();
    for (const std::string& entry : w.cmbDisplayRules) {
      cmbDisplayRules_->addItem(QString::fromStdString(entry));
    }
  }
  if (!cmbDisplayRules_->hasFocus()) {
    cmbDisplayRules_->setCurrentText(QString::fromStdString(w.cmbDisplayRulesText));
  }
  cmbDisplayRules_->setVisible(w.cmbDisplayRulesVisible);
  Frame1_->Render();
  RenderDebugList();
  RenderNotice();
  RenderEditors();
  if (eventLog_->isVisible()) eventLog_->Refresh();
}

void FLControl::RenderLabels() {
  const StatusFrameState& w = *c_.window.status;
  ApplyLabel(Label3_, w.Label3);
  ApplyLabel(Label4_, w.Label4);
  ApplyLabel(lblMode_, w.lblMode);
  ApplyLabel(lblLink_, w.lblLink);
  ApplyLabel(lblErrorCode_, w.lblErrorCode);
  ApplyLabel(lblPreScript_, w.lblPreScript);
  ApplyLabel(lblPostScript_, w.lblPostScript);
  for (std::size_t i = 0; i < lblVarIndex_.size(); ++i) ApplyLabel(lblVarIndex_[i], w.lblVarIndex[i]);
  for (std::size_t k = 0; k < lblClamp_.size(); ++k) {
    ApplyLabel(lblClamp_[k], w.lblClamp[k]);
  }
  trend_->Render();
  for (std::size_t i = 0; i < Label5_.size(); ++i) {
    Label5_[i]->setText(QString::fromStdString(w.Label5[i]));
  }
  frameStatus_->setTitle(QString::fromStdString(w.frameStatusCaption));
  frameStatus_->setStyleSheet(
      QString("QGroupBox#frameStatus { background-color: %1; border: 1px solid #808080; "
              "border-radius: 3px; margin-top: 1.4em; font-weight: bold; }"
              "QGroupBox#frameStatus::title { subcontrol-origin: margin; left: 8px; }"
              "QGroupBox#frameStatus QLabel { font-weight: normal; }")
          .arg(ColourName(w.frameStatusColour)));
}

void FLControl::RenderMenus() {
  const Controller& w = c_;
  for (const Menu& menu : MenuBar()) {
    menus_[menu.name]->setEnabled(IsEnabled(w, menu.enabled));
    if (QAction* bar = menus_[menu.name]->menuAction()) bar->setEnabled(IsEnabled(w, menu.enabled));
    for (const MenuItem& item : menu.items) {
      if (item.IsSeparator()) continue;
      QAction* action = actions_[item.name];
      action->setChecked(IsChecked(w, item));
      action->setEnabled(IsEnabled(w, item.enabled) && commands_.count(item.name) > 0);
    }
  }
}

void FLControl::RenderDebugList() {
  if (!lstDebug_) return;
  const CalcReportState& w = *c_.window.calcReport;
  if (!w.lstDebugVisible) {
    lstDebug_->hide();
    return;
  }
  if (lstDebug_->count() != static_cast<int>(w.lstDebug.size()) || lstDebug_->isHidden()) {
    lstDebug_->clear();
    for (const std::string& line : w.lstDebug) lstDebug_->addItem(QString::fromStdString(line));
  }
  // Over the main grid, 1.2 times its height, within the window.
  QRect area = grid_->geometry();
  area.setWidth(area.width() / 3);
  area.setHeight(std::min(static_cast<int>(grid_->height() * 1.2),
                          centralWidget()->height() - area.top()));
  lstDebug_->setGeometry(area);
  lstDebug_->show();
  lstDebug_->raise();
}

void FLControl::RenderNotice() {
  const EventEntry* notice = c_.events.Notice();
  if (notice == nullptr) {
    noticePanel_->hide();
    return;
  }
  QString text = QString::fromStdString(notice->text);
  text.replace("\r\n", "\n");
  QString heading = QString::fromStdString(notice->when + "  " + notice->title);
  if (notice->repeats > 1) heading += QString("  (%1 times)").arg(notice->repeats);
  noticeText_->setText(heading + "\n" + text);
  noticePanel_->show();
}

}  // namespace kavro::ui
