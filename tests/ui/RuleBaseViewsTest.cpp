// The rule-firing and control-surface windows on the demo kiln, opened from the Calc menu as an
// engineer opens them: the rows a known cycle gives, refreshed by the next cycle; the surface
// computed, a bad held value refused, the grid exported as CSV and the picture as PNG.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "DemoWindow.h"
#include "common/NumberText.h"
#include "ui/FLControl.h"
#include "ui/LabelStyle.h"
#include "ui/RuleBaseViews.h"
#include "ui/RuleFiringWindow.h"
#include "ui/SurfaceWindow.h"

using namespace kavro;

namespace {

struct Harness : test::DemoWindow {
  // A cycle with BZTEMP typed into the grid as the operator would.
  void Cycle(double bztemp) {
    c().grid.SetText(grid::kRowValue, grid::InputColumn(1), FormatNumber(bztemp, "####0.000"));
    clock.Advance(10);
    host.RunCycle();
  }
  void Open(const char* item) { host.window().Action(item)->trigger(); }
};

QString TableText(QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item ? item->text() : QString();
}

// The row of the rule labelled label, -1 when none.
int RowOf(QTableWidget* table, const QString& label) {
  for (int r = 0; r < table->rowCount(); ++r) {
    if (TableText(table, r, 0) == label) return r;
  }
  return -1;
}

}  // namespace

class RuleBaseViewsTest : public QObject {
  Q_OBJECT
 private slots:
  void ruleFiringShowsTheCycleAndFollowsTheNext();
  void surfaceComputesRefusesAndExports();
};

void RuleBaseViewsTest::ruleFiringShowsTheCycleAndFollowsTheNext() {
  Harness h;
  h.Cycle(1400);
  QVERIFY(h.host.window().Action("mnuRuleFiring")->isEnabled());
  h.Open("mnuRuleFiring");
  ui::RuleFiringWindow* window = h.host.views().RuleFiring();
  QVERIFY(window && window->isVisible());
  QCOMPARE(window->windowTitle(), QString("Rule Firing - KILN1"));
  QTableWidget* rules = window->Rules();
  QCOMPARE(rules->horizontalHeaderItem(0)->text(), QString("Rule"));
  QCOMPARE(rules->horizontalHeaderItem(2)->text(), QString("BZTEMP"));
  QCOMPARE(rules->horizontalHeaderItem(3)->text(), QString("O2"));

  // BZTEMP at 1400 lies half way down LOW (1390..1410 falling) and half way up OK (1390..1410
  // rising): R2 (LOW, OK) and R3 (OK, OK) show 0.500 for it.
  const int r2 = RowOf(rules, "R2");
  const int r3 = RowOf(rules, "R3");
  QVERIFY(r2 >= 0 && r3 >= 0);
  QCOMPARE(TableText(rules, r2, 1), QString("MIN"));
  QCOMPARE(TableText(rules, r2, 2), QString("LOW 0.500"));
  QCOMPARE(TableText(rules, r3, 2), QString("OK 0.500"));
  QVERIFY(rules->cellWidget(r3, 2) != nullptr);  // the zone's small picture
  // The strength and the fired mark as the cycle left them, as the main grid shows them.
  const ControllerModel& m = h.c().model;
  QCOMPARE(TableText(rules, r3, 6), QString::fromStdString(m.Rules[3].Strength));
  auto* bar = qobject_cast<QProgressBar*>(rules->cellWidget(r3, 6));
  QVERIFY(bar);
  QCOMPARE(bar->value(), qRound(ToNumber(m.Rules[3].Strength) * 1000));
  const kavro::Cell& gridLabel = h.c().grid.At(grid::RuleRow(3), grid::kColLabel);
  QCOMPARE(rules->item(r3, 0)->foreground().color(), ui::ToQColor(gridLabel.foreColour));
  // The outputs: the defuzzified value and the one sent.
  QTableWidget* outputs = window->Outputs();
  QCOMPARE(outputs->rowCount(), 2);
  QCOMPARE(TableText(outputs, 0, 0), QString("FUEL"));
  QCOMPARE(TableText(outputs, 0, 1), QString::fromStdString(m.PVarOut[1].ValueDefuzzified));
  QCOMPARE(TableText(outputs, 0, 2), QString::fromStdString(m.PVarOut[1].ValueOut));
  QVERIFY(!TableText(outputs, 0, 1).isEmpty());

  // The next cycle is shown without reopening: BZTEMP at 1420 is fully OK, out of LOW.
  h.Cycle(1420);
  QCOMPARE(TableText(rules, RowOf(rules, "R3"), 2), QString("OK 1.000"));
  QCOMPARE(TableText(rules, RowOf(rules, "R2"), 2), QString("LOW 0.000"));
  QVERIFY(h.op.messages.empty());
}

void RuleBaseViewsTest::surfaceComputesRefusesAndExports() {
  Harness h;
  h.Cycle(1420);
  h.Open("mnuControlSurface");
  ui::SurfaceWindow* window = h.host.views().Surface();
  QVERIFY(window && window->isVisible());
  QCOMPARE(window->OutputBox()->currentText(), QString("FUEL"));
  QCOMPARE(window->XBox()->currentText(), QString("BZTEMP"));
  QCOMPARE(window->YBox()->currentText(), QString("O2"));
  QCOMPARE(window->PointsBox()->value(), 60);
  // Computed on opening: 60 x 60 values, the operating point on the map.
  const SurfaceViewState& state = window->State();
  QCOMPARE(state.surface.values.size(), std::size_t{3600});
  QVERIFY(state.pointInside);
  QVERIFY(window->Message()->text().isEmpty());
  const std::string live = h.c().model.PVarOut[1].ValueOut;

  // The map is painted in the scale's colours: the middle of the first cell has its colour.
  window->resize(820, 720);
  QApplication::processEvents();
  const QImage image = window->Canvas()->grab().toImage();
  const QRectF area = window->Canvas()->PlotArea();
  const QPoint first(qRound(area.left() + area.width() / 120),
                     qRound(area.bottom() - area.height() / 120));
  QCOMPARE(image.pixelColor(first), ui::ToQColor(state.cells[0]));

  // A held value that is no number is refused and nothing is computed.
  QLineEdit* nox = window->HeldBox(3);
  QVERIFY(nox);
  nox->setText("lots");
  window->findChild<QPushButton*>("btnCompute")->click();
  QCOMPARE(window->Message()->text(), QString("The held value of NOX is not a number: lots"));
  QVERIFY(window->State().surface.values.empty());
  QVERIFY(!window->findChild<QPushButton*>("btnExportCsv")->isEnabled());

  // A curve over BZTEMP with NOX held; the grid as CSV, the picture as PNG.
  nox->setText("120");
  window->YBox()->setCurrentIndex(0);  // (none)
  window->findChild<QPushButton*>("btnCompute")->click();
  QVERIFY(window->State().IsCurve());
  QCOMPARE(window->State().curve.size(), std::size_t{60});
  h.op.inputs.push_back("fuel curve");
  window->findChild<QPushButton*>("btnExportCsv")->click();
  QCOMPARE(QString::fromStdString(h.dir.Read("fuel curve.CSV")),
           QString::fromStdString(SurfaceViewCsv(window->State())));
  QVERIFY(h.dir.Read("fuel curve.CSV").rfind("BZTEMP,FUEL\n", 0) == 0);
  h.op.inputs.push_back("fuel curve");
  window->findChild<QPushButton*>("btnSavePng")->click();
  const QImage png(QString::fromStdString(h.dir.File("fuel curve.PNG")), "PNG");
  QVERIFY(!png.isNull());
  QCOMPARE(png.size(), window->Canvas()->size() * window->Canvas()->devicePixelRatio());
  QVERIFY(h.op.messages.empty());
  // The running controller was only read.
  QCOMPARE(h.c().model.PVarOut[1].ValueOut, live);
}

QTEST_MAIN(RuleBaseViewsTest)
#include "RuleBaseViewsTest.moc"
