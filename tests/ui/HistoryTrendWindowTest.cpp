// Calc > Trend History on the demo kiln with a day of history recorded before: the window opens
// on the last hour drawn, its plot grows with the window, the presets, the keys and Live move
// the span, the cursor reads a cycle and the export writes the span shown.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "DemoWindow.h"
#include "display/PenColours.h"
#include "history/HistoryTime.h"
#include "history/HistoryWriter.h"
#include "support/TempFiles.h"
#include "ui/FLControl.h"
#include "ui/HistoryTrendWindow.h"
#include "ui/RuleBaseViews.h"

using namespace kavro;

namespace {

// A day of 10 s cycles up to the fake clock's noon, recorded before the window starts.
void RecordADay(const test::ScratchDir& dir) {
  ConfigRevision config;
  config.runFrequency = 10;
  config.in[1] = {"BZTEMP", "degC", 1200, 1500};
  const std::int64_t end = HistoryMs(DateTime{2026, 12, 5, 12, 0, 0});
  HistoryWriter writer(dir.Path(), [](const std::string&, bool) {});
  writer.RecordMany(
      8640,
      [end](long k) {
        CycleRecord row;
        row.timeMs = end - (8640 - k) * 10'000;
        row.in[1].pv = 1350 + 100 * std::sin(k / 300.0);
        return row;
      },
      config);
}

int PixelsOf(const QImage& image, Colour colour) {
  const QRgb wanted = qRgb(colour.Red(), colour.Green(), colour.Blue());
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == wanted ? 1 : 0;
  }
  return count;
}

}  // namespace

class HistoryTrendWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void opensOnTheLastHourAndFollowsTheOperatorsGestures();
};

void HistoryTrendWindowTest::opensOnTheLastHourAndFollowsTheOperatorsGestures() {
  test::DemoWindow w;
  RecordADay(w.dir);
  w.host.window().Action("mnuTrendHistory")->trigger();
  ui::HistoryTrendWindow* trend = w.host.views().TrendHistory();
  QVERIFY(trend != nullptr);
  QVERIFY(trend->isVisible());
  trend->resize(1000, 500);
  QApplication::processEvents();
  HistoryTrend& view = trend->Trend();
  QCOMPARE(view.SpanMs(), kHourMs);
  QVERIFY(view.Live());
  QCOMPARE(view.Columns(), trend->Canvas()->PlotArea().width());
  QVERIFY(!view.Pens().empty());
  QCOMPARE(view.Pens()[0].name, std::string("BZTEMP"));
  QVERIFY(PixelsOf(trend->Canvas()->grab().toImage(), PenColor(1)) > 300);

  // A bigger window, a wider plot read with more columns.
  const int narrow = view.Columns();
  trend->resize(1600, 800);
  QApplication::processEvents();
  QVERIFY(view.Columns() > narrow + 400);
  QVERIFY(trend->Canvas()->PlotArea().height() > 600);

  QTest::mouseClick(trend->PresetButton(3), Qt::LeftButton);  // 24 h
  QCOMPARE(view.SpanMs(), 24 * kHourMs);
  QVERIFY(!trend->LiveButton()->isEnabled());
  QTest::keyClick(trend, Qt::Key_PageUp);  // a day back
  QVERIFY(!view.Live());
  QVERIFY(trend->LiveButton()->isEnabled());
  QCOMPARE(trend->ScrollBar()->value(), trend->ScrollBar()->minimum());
  QTest::mouseClick(trend->LiveButton(), Qt::LeftButton);
  QVERIFY(view.Live());

  QTest::mouseClick(trend->PresetButton(0), Qt::LeftButton);  // 10 min: 60 cycles
  QTest::mouseMove(trend->Canvas(), trend->Canvas()->PlotArea().center());
  QVERIFY(trend->Reading()->text().startsWith("2026-12-05 11:5"));
  QVERIFY(trend->Reading()->text().contains("BZTEMP"));
  const std::string path = w.dir.File("span.csv");
  QVERIFY(trend->ExportTo(path));
  const std::string csv = test::FileBytes(path);
  QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 61);  // a header and 60 cycles
}

QTEST_MAIN(HistoryTrendWindowTest)
#include "HistoryTrendWindowTest.moc"
