#include "ui/RuleFiringWindow.h"

#include <QHeaderView>
#include <QPainter>
#include <QProgressBar>
#include <QTableWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "session/GuardedCall.h"
#include "ui/LabelStyle.h"
#include "ui/ViewClose.h"

namespace kavro::ui {

namespace {

constexpr int kRowHeight = 36;
constexpr int kBarScale = 1000;

// An input term: the zone filled over the variable's range, the present value as a red line,
// the term and its degree written over it.
class ZoneShapeCell : public QWidget {
 public:
  ZoneShapeCell(FiringTermCell cell, QWidget* parent) : QWidget(parent), cell_(std::move(cell)) {
    setObjectName("zoneShape");
    // Drawn over the cell's own text, which stays for copying and for screen readers.
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(3, 3, -3, -3);
    const auto at = [&](float x, float y) {
      return QPointF(area.left() + x * area.width(), area.bottom() - y * area.height());
    };
    if (!cell_.shape.empty()) {
      QPolygonF polygon;
      for (const ShapePoint& point : cell_.shape) polygon << at(point.x, point.y);
      p.setPen(QPen(QColor(40, 90, 160), 1));
      p.setBrush(QColor(120, 170, 230, 150));
      p.drawPolygon(polygon);
    }
    p.setPen(QPen(Qt::gray, 1));
    p.drawLine(at(0, 0), at(1, 0));
    if (cell_.markInside) {
      p.setPen(QPen(QColor(220, 0, 0), 2));
      p.drawLine(at(cell_.mark, 0), at(cell_.mark, 1));
    }
    p.setPen(Qt::black);
    p.drawText(area, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(cell_.term));
    p.drawText(area, Qt::AlignRight | Qt::AlignTop, QString::fromStdString(cell_.degreeText));
  }

 private:
  FiringTermCell cell_;
};

QTableWidgetItem* TextItem(const std::string& text) {
  auto* item = new QTableWidgetItem(QString::fromStdString(text));
  item->setFlags(Qt::ItemIsEnabled);
  return item;
}

// Empties table and gives it these column headers and that many rows.
void Reset(QTableWidget* table, const std::vector<std::string>& columns, size_t rows) {
  QStringList headers;
  for (const std::string& text : columns) headers << QString::fromStdString(text);
  table->clear();
  table->setColumnCount(static_cast<int>(headers.size()));
  table->setHorizontalHeaderLabels(headers);
  table->setRowCount(static_cast<int>(rows));
}

}  // namespace

RuleFiringWindow::RuleFiringWindow(Controller& controller, QWidget* parent)
    : QWidget(parent, Qt::Window), c_(controller) {
  setObjectName("RuleFiringWindow");
  auto* layout = new QVBoxLayout(this);
  rules_ = new QTableWidget(this);
  rules_->setObjectName("ruleTable");
  rules_->verticalHeader()->hide();
  rules_->verticalHeader()->setDefaultSectionSize(kRowHeight);
  rules_->setSelectionMode(QAbstractItemView::NoSelection);
  layout->addWidget(rules_, 1);
  outputs_ = new QTableWidget(this);
  outputs_->setObjectName("outputTable");
  outputs_->verticalHeader()->hide();
  outputs_->setSelectionMode(QAbstractItemView::NoSelection);
  outputs_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(outputs_);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  AddCloseButton(this, buttons);
  layout->addLayout(buttons);
  resize(920, 700);
}

void RuleFiringWindow::Refresh() {
  if (!RunGuarded(c_, [this] { state_ = ShowRuleFiring(c_.model, c_.grid); })) return;
  setWindowTitle(QString::fromStdString(state_.caption));
  FillRules();
  FillOutputs();
}

void RuleFiringWindow::FillRules() {
  const int inputs = static_cast<int>(state_.inputHeaders.size());
  Reset(rules_, state_.ruleColumns, state_.rows.size());
  for (int r = 0; r < rules_->rowCount(); ++r) {
    const FiringRowView& row = state_.rows[static_cast<size_t>(r)];
    QTableWidgetItem* label = TextItem(row.label);
    label->setForeground(ToQColor(row.mark));
    QFont font = label->font();
    font.setBold(row.fired);
    label->setFont(font);
    rules_->setItem(r, 0, label);
    rules_->setItem(r, 1, TextItem(row.operatorName));
    for (int k = 0; k < inputs; ++k) {
      const auto& cell = row.inputs[static_cast<size_t>(k)];
      if (!cell) continue;
      rules_->setItem(r, 2 + k, TextItem(cell->term + " " + cell->degreeText));
      rules_->setCellWidget(r, 2 + k, new ZoneShapeCell(*cell, rules_));
    }
    const int strength = 2 + inputs;
    rules_->setItem(r, strength, TextItem(row.strengthText));
    auto* bar = new QProgressBar(rules_);
    bar->setObjectName("strengthBar");
    bar->setRange(0, kBarScale);
    bar->setValue(static_cast<int>(row.bar * kBarScale));
    bar->setFormat(QString::fromStdString(row.strengthText));
    rules_->setCellWidget(r, strength, bar);
    for (size_t k = 0; k < row.outputs.size(); ++k) {
      rules_->setItem(r, strength + 1 + static_cast<int>(k), TextItem(row.outputs[k]));
    }
  }
  rules_->resizeColumnsToContents();
  for (int k = 0; k < inputs; ++k) {
    rules_->setColumnWidth(2 + k, std::max(rules_->columnWidth(2 + k), 120));
  }
  rules_->setColumnWidth(2 + inputs, std::max(rules_->columnWidth(2 + inputs), 110));
}

void RuleFiringWindow::FillOutputs() {
  Reset(outputs_, state_.outputColumns, state_.outputs.size());
  for (int r = 0; r < outputs_->rowCount(); ++r) {
    const FiringOutputLine& line = state_.outputs[static_cast<size_t>(r)];
    outputs_->setItem(r, 0, TextItem(line.name));
    outputs_->setItem(r, 1, TextItem(line.defuzzified));
    outputs_->setItem(r, 2, TextItem(line.sent));
    outputs_->setItem(r, 3, TextItem(line.note));
  }
  outputs_->setFixedHeight(outputs_->horizontalHeader()->height() +
                           outputs_->verticalHeader()->length() + 2 * outputs_->frameWidth());
}

}  // namespace kavro::ui
