// The main window's trend on the demo kiln with a day of history recorded before: it shows the
// last hour drawn, its plot grows with the window, the wheel, the presets, the keys, the scroll
// bar and Live move the span, the cursor reads a cycle, and Calc > Trend History shows the same
// trend in a window of its own.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "DemoWindow.h"
#include "display/PenColours.h"
#include "display/TrendPlot.h"
#include "history/HistoryTime.h"
#include "history/HistoryWriter.h"
#include "ui/FLControl.h"
#include "ui/HistoryTrendWindow.h"
#include "ui/RuleBaseViews.h"
#include "ui/TrendPlotWidget.h"

using namespace kavro;

namespace {

// A day of 10 s cycles up to the fake clock's noon.
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

void Wheel(QWidget* widget, int notches) {
  const QPointF at = QRectF(widget->rect()).center();
  QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

class HistoryTrendWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void theMainTrendShowsTheHistoryAndFollowsTheOperatorsGestures();
};

void HistoryTrendWindowTest::theMainTrendShowsTheHistoryAndFollowsTheOperatorsGestures() {
  test::DemoWindow w;
  RecordADay(w.dir);
  ui::FLControl& window = w.host.window();
  window.resize(1200, 800);
  window.show();
  QApplication::processEvents();
  ui::TrendPlotWidget* trend = window.Trend();
  ui::TrendCanvas* canvas = trend->Canvas();
  HistoryTrend& span = Trend(w.c()).span;
  w.host.RunCycle();
  QVERIFY(span.Live());
  QCOMPARE(span.SpanMs(), kHourMs);
  QCOMPARE(span.Columns(), static_cast<int>(canvas->PlotArea().width()));
  QCOMPARE(trend->NameLabel(0)->text(), QString("BZTEMP"));
  QCOMPARE(trend->findChild<QLabel*>("lblPlotTime")->text(), QString("Live: last 1 h"));
  QVERIFY(!trend->LiveButton()->isEnabled());
  // The hour before the start drawn from the history: the pen across the plot's width.
  const QImage hour = canvas->grab().toImage();
  QVERIFY(PixelsOf(hour, PenColor(1)) > canvas->PlotArea().width());

  // A bigger window: a taller plot, read with more columns.
  const QRectF small = canvas->PlotArea();
  window.resize(1600, 1100);
  QApplication::processEvents();
  QVERIFY(canvas->PlotArea().height() > small.height() + 100);
  QVERIFY(canvas->PlotArea().width() > small.width() + 200);
  QCOMPARE(span.Columns(), static_cast<int>(canvas->PlotArea().width()));

  Wheel(canvas, 1);  // a notch in
  QCOMPARE(span.SpanMs(), 48 * kMinuteMs);
  QTest::keyClick(canvas, Qt::Key_Minus);  // out twice
  QCOMPARE(span.SpanMs(), 96 * kMinuteMs);
  QVERIFY(span.Live());
  QTest::mouseClick(trend->PresetButton(3), Qt::LeftButton);  // 24 h
  QCOMPARE(span.SpanMs(), 24 * kHourMs);
  QVERIFY(span.Live());
  QTest::keyClick(canvas, Qt::Key_PageUp);  // a day back
  QVERIFY(!span.Live());
  QVERIFY(trend->LiveButton()->isEnabled());
  QVERIFY(trend->findChild<QLabel*>("lblPlotTime")->text().startsWith("24 h to Dec-04-2026 12:0"));
  QCOMPARE(trend->ScrollBar()->value(), trend->ScrollBar()->minimum());
  trend->ScrollBar()->setValue(trend->ScrollBar()->minimum() + 60);  // an hour on
  QCOMPARE(span.End(), TrendNowMs(w.c()) - 23 * kHourMs);
  QTest::mouseClick(trend->LiveButton(), Qt::LeftButton);
  QVERIFY(span.Live());
  QVERIFY(!trend->LiveButton()->isEnabled());

  // The cursor reads the cycle under it: its time and every pen.
  QTest::mouseClick(trend->PresetButton(0), Qt::LeftButton);  // 10 min
  QTest::mouseMove(canvas, canvas->PlotArea().center().toPoint());
  QVERIFY(canvas->Cursor().has_value());
  QVERIFY(canvas->Cursor()->lines[0].text.rfind("Dec-05-2026 11:5", 0) == 0);
  QVERIFY(canvas->Cursor()->lines[1].text.rfind("BZTEMP: ", 0) == 0);

  // Calc > Trend History: the same trend, larger; a span chosen there is the main window's.
  window.Action("mnuTrendHistory")->trigger();
  ui::HistoryTrendWindow* large = w.host.views().TrendHistory();
  QVERIFY(large != nullptr && large->isVisible());
  QTest::mouseClick(large->Trend()->PresetButton(2), Qt::LeftButton);  // 8 h
  QCOMPARE(span.SpanMs(), 8 * kHourMs);
  QCOMPARE(large->Trend()->NameLabel(0)->text(), QString("BZTEMP"));
  // A click on a pen's name hides it in both; a scale label asks as the main window's does.
  QTest::mouseClick(large->Trend()->NameLabel(0), Qt::LeftButton);
  QVERIFY(Trend(w.c()).Picture2.penHidden[0]);
  QCOMPARE(PixelsOf(canvas->grab().toImage(), PenColor(1)), 0);
  w.op.inputs.push_back("1600");
  QTest::mouseClick(large->Trend()->ScaleLabel(true, 0), Qt::LeftButton);
  QCOMPARE(w.op.prompts.back(), std::string("Enter Plot MAX Value or AUTO"));
  QCOMPARE(w.c().model.PVarIn[1].PlotHi, std::string("1600.0"));
}

QTEST_MAIN(HistoryTrendWindowTest)
#include "HistoryTrendWindowTest.moc"
