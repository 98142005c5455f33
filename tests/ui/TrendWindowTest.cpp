// The trend area, printing and screen capture as the operator meets them in the window: the
// demo's history painted in its pen colours, a scale label click, a name click hiding a pen,
// Print Screen to a PDF file and Print To File writing a bitmap. A real window with fake
// operator, clock and event pump (waits pass on the fake clock).
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <filesystem>

#include "DemoWindow.h"
#include "common/NumberText.h"
#include "display/PenColours.h"
#include "display/TrendPlot.h"
#include "ui/CellGrid.h"
#include "ui/ControllerHost.h"
#include "ui/FLControl.h"
#include "ui/TrendPlotWidget.h"

using namespace kavro;

namespace {

struct Harness : test::DemoWindow {
  ui::FLControl& w() { return host.window(); }
  ui::TrendPlotWidget& trend() { return *w().Trend(); }
  // Cycles with the first input typed into the grid as the operator would.
  void Cycles(std::initializer_list<double> values) {
    for (double v : values) {
      c().grid.SetText(grid::kRowValue, grid::InputColumn(1), FormatNumber(v, "####0.000"));
      clock.Advance(10);
      host.RunCycle();
    }
  }
  // Whether a pixel of colour lies within 2 pixels of (x, y) of the plot.
  bool PenNear(const QImage& image, QPointF at, Colour colour) {
    const QColor want(colour.Red(), colour.Green(), colour.Blue());
    for (int dx = -2; dx <= 2; ++dx) {
      for (int dy = -2; dy <= 2; ++dy) {
        const QPoint p(qRound(at.x()) + dx, qRound(at.y()) + dy);
        if (image.valid(p) && image.pixelColor(p) == want) return true;
      }
    }
    return false;
  }
};

int PdfPages(const QByteArray& pdf) {
  return static_cast<int>(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

}  // namespace

class TrendWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void plotPaintsTheNewestCyclesInPenColours();
  void scaleLabelClickAsksAndChangesTheScale();
  void nameClickHidesThePen();
  void printScreenToAPdfFileGivesOnePagePerCopy();
  void printToFileSavesAReadableBitmapAndRefusesBadNames();
};

void TrendWindowTest::plotPaintsTheNewestCyclesInPenColours() {
  Harness h;
  QVERIFY(h.op.messages.empty());
  auto* canvas = h.trend().Canvas();
  QCOMPARE(h.w().findChild<QLabel*>("lblPlotTime")->text(), QString("Live: last 1 h"));
  QCOMPARE(h.trend().ScaleLabel(true, 1)->text(), QString("A:"));
  QVERIFY(h.trend().ScaleLabel(true, 0)->styleSheet().contains(
      QColor(PenColor(1).Red(), PenColor(1).Green(), PenColor(1).Blue()).name()));

  h.Cycles({1300, 1350, 1500});
  QCOMPARE(h.trend().ScaleLabel(true, 0)->text(), QString("1550.000"));
  QCOMPARE(h.trend().ScaleLabel(false, 0)->text(), QString("1250.000"));
  QCOMPARE(h.trend().NameLabel(0)->text(), QString("BZTEMP"));

  // BZTEMP on its fixed 1250..1550 scale: the three newest cycles 10 s apart at the right edge.
  const TrendTrace& bz = Trend(h.c()).Picture2.traces.front();
  QCOMPARE(bz.index, 0);
  QVERIFY(bz.points.size() >= 3);
  const double values[] = {1300, 1350, 1500};
  const QImage image = canvas->grab().toImage();
  const QRectF area = canvas->PlotArea();
  for (std::size_t j = 0; j < 3; ++j) {
    const TrendPoint& p = bz.points[bz.points.size() - 3 + j];
    QCOMPARE(p.y, 0.94 - (values[j] - 1250) * 0.92 / 300);
    QVERIFY(std::fabs(p.x - (1 - (2 - static_cast<double>(j)) * 10.0 / 3600)) < 0.003);
    const QPointF at(area.left() + p.x * area.width(), area.top() + p.y * area.height());
    QVERIFY2(h.PenNear(image, at, PenColor(1)), qPrintable(QString("cycle %1").arg(j)));
  }
  // Nothing is drawn where no variable can be: below the band's bottom on the left.
  QVERIFY(!h.PenNear(image, QPointF(area.left() + 5, area.bottom() - 3), PenColor(1)));
}

void TrendWindowTest::scaleLabelClickAsksAndChangesTheScale() {
  Harness h;
  h.Cycles({1300, 1400, 1500});
  h.op.inputs.push_back("1600");
  QTest::mouseClick(h.trend().ScaleLabel(true, 0), Qt::LeftButton);
  QCOMPARE(h.op.prompts.back(), std::string("Enter Plot MAX Value or AUTO"));
  QCOMPARE(h.op.inputTitles.back(), std::string("KILN1"));
  QCOMPARE(h.op.inputInitials.back(), std::string("1550.000"));
  QCOMPARE(h.trend().ScaleLabel(true, 0)->text(), QString("1600.0"));
  QCOMPARE(h.c().model.PVarIn[1].PlotHi, std::string("1600.0"));
  QVERIFY(!h.c().model.CycleHold);

  h.op.inputs.push_back("1700");  // above the fixed top: 0.1 under it
  QTest::mouseClick(h.trend().ScaleLabel(false, 0), Qt::LeftButton);
  QCOMPARE(h.c().model.PVarIn[1].PlotLo, std::string("1599.9"));
  h.Cycles({1400});
  QCOMPARE(h.trend().ScaleLabel(true, 0)->text(), QString("1600.000"));
  QCOMPARE(h.trend().ScaleLabel(false, 0)->text(), QString("1599.900"));
}

void TrendWindowTest::nameClickHidesThePen() {
  Harness h;
  h.Cycles({1300, 1400, 1500});
  ui::CellGrid* grid = h.w().MainGrid();
  const QPoint name = grid->visualRect(grid->model()->index(0, grid::InputColumn(1))).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, name);
  QVERIFY(Trend(h.c()).Picture2.penHidden[0]);
  QVERIFY(h.trend().NameLabel(0)->styleSheet().contains(QColor(160, 160, 160).name()));
  const QImage image = h.trend().Canvas()->grab().toImage();
  const QRgb pen = qRgb(PenColor(1).Red(), PenColor(1).Green(), PenColor(1).Blue());
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) drawn += image.pixel(x, y) == pen ? 1 : 0;
  }
  QCOMPARE(drawn, 0);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, name);
  QVERIFY(!Trend(h.c()).Picture2.penHidden[0]);
  // Viewing is never locked: the screen is locked here, and no box said so.
  QVERIFY(h.c().model.ScreenLocked);
  QVERIFY(h.op.messages.empty());
}

void TrendWindowTest::printScreenToAPdfFileGivesOnePagePerCopy() {
  Harness h;
  h.Cycles({1300, 1400, 1500});
  const QString pdf = QString::fromStdString(h.dir.File("window.pdf"));
  int dialogs = 0;
  h.host.printing().printDialog = [&](QPrinter& printer, QWidget*) {
    ++dialogs;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setCopyCount(3);
    return true;
  };
  h.w().RunCommand("mnuPrintSetup");
  QCOMPARE(dialogs, 1);
  QCOMPARE(h.c().model.PrinterCopies, int16_t{3});
  QCOMPARE(h.host.printing().Printer().copyCount(), 1);  // the copies are pages of ours

  const double before = h.clock.seconds;
  h.w().RunCommand("mnuPrintScreen");
  QVERIFY(h.op.messages.empty());
  QFile file(pdf);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(bytes.startsWith("%PDF"));
  QCOMPARE(PdfPages(bytes), 3);
  QVERIFY(bytes.contains("/Subtype /Image"));  // the window's picture
  QVERIFY(h.clock.seconds - before >= 3.0);    // a second after each copy
  QVERIFY(!QFile::exists(pdf + ".part"));

  // Cancel keeps the settings.
  h.host.printing().printDialog = [](QPrinter&, QWidget*) { return false; };
  h.w().RunCommand("mnuPrintSetup");
  QCOMPARE(h.c().model.PrinterCopies, int16_t{3});

  // A PDF that cannot be written is told, and leaves nothing behind.
  h.host.printing().Printer().setOutputFileName(pdf + ".missing/out.pdf");
  h.w().RunCommand("mnuPrintScreen");
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QVERIFY(h.op.messages[0].text.rfind("Print Screen failed: ", 0) == 0);
}

void TrendWindowTest::printToFileSavesAReadableBitmapAndRefusesBadNames() {
  Harness h;
  h.op.inputs.push_back("plant1 ");
  h.w().RunCommand("mnuPrintFile");
  QVERIFY(h.op.messages.empty());
  const QString bmp = QString::fromStdString(h.dir.File("plant1.BMP"));
  QFile file(bmp);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QVERIFY(file.read(2) == "BM");
  const QImage image(bmp, "BMP");
  QVERIFY(!image.isNull());
  QVERIFY(image.width() >= 100 && image.height() >= 100);

  h.op.inputs.push_back("../plant2");
  h.w().RunCommand("mnuPrintFile");
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QVERIFY(h.op.messages[0].text.rfind("Screen image not saved: \"../plant2\"", 0) == 0);
  QVERIFY(!std::filesystem::exists(h.dir.Path() + "/../plant2.BMP"));
}

QTEST_MAIN(TrendWindowTest)
#include "TrendWindowTest.moc"
