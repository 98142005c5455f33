// The tuner's plots as PNG files drawn by the window's trend painter: one panel per input with
// its targets, one per output, the best objective over the evaluations; a folder that cannot be
// written gets no file and no crash.
#include <QImage>
#include <QTest>
#include <cmath>
#include <filesystem>

#include "support/FakePorts.h"
#include "ui/TunePlotFiles.h"

using namespace kavro;

namespace {

constexpr int kPanelPixels = 200 + 22;  // plot and title

// Whether a pixel at column x within a row of y is the colour drawn at least half covering the
// white ground (a line drawn smooth between rows is a blend of the two).
bool ColourNear(const QImage& image, int x, double y, QColor want) {
  const double wantDepth = 765.0 - want.red() - want.green() - want.blue();
  for (int dy = -1; dy <= 1; ++dy) {
    const QColor got = image.pixelColor(x, static_cast<int>(y) + dy);
    const double cover = (765.0 - got.red() - got.green() - got.blue()) / wantDepth;
    if (cover < 0.5) continue;
    const auto blend = [cover](int c) { return cover * c + (1 - cover) * 255; };
    if (std::abs(got.red() - blend(want.red())) < 16 &&
        std::abs(got.green() - blend(want.green())) < 16 &&
        std::abs(got.blue() - blend(want.blue())) < 16) {
      return true;
    }
  }
  return false;
}

// Two inputs, one output: the first input's targets 5 and 15, its value before tuning rising
// 0 to 20 and after tuning level at 10, so that the scale is -1 .. 21.
TunePlots Plots() {
  TunePlots plots;
  for (const char* tag : {"T", "O2"}) {
    TracedInput in;
    in.tag = tag;
    in.high.assign(3, 15);
    in.low.assign(3, 5);
    in.value = {10, 10, 10};
    plots.after.inputs.push_back(in);
    in.value = {0, 10, 20};
    plots.before.inputs.push_back(in);
  }
  TracedOutput out;
  out.tag = "FUEL";
  out.value = {8, 9, 8};
  plots.before.outputs.push_back(out);
  plots.after.outputs.push_back(out);
  plots.bestSoFar = {5, 4, 4, 2};
  return plots;
}

}  // namespace

class TunePlotFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void WritesOnePanelPerVariableWithTheTargetsDrawnLevel() {
    test::ScratchDir dir;
    const std::vector<std::string> written = WritePlotFiles(dir.Path(), Plots());
    QCOMPARE(written, (std::vector<std::string>{"inputs.png", "outputs.png", "objective.png"}));
    const QImage inputs(QString::fromStdString(dir.File("inputs.png")));
    QCOMPARE(inputs.size(), QSize(1000, 2 * kPanelPixels));
    QCOMPARE(QImage(QString::fromStdString(dir.File("outputs.png"))).size(),
             QSize(1000, kPanelPixels));
    QCOMPARE(QImage(QString::fromStdString(dir.File("objective.png"))).size(),
             QSize(1000, kPanelPixels));

    // The plot area of the first panel: 22 pixels of title, then 194 high from x = 6, 988 wide;
    // a value v sits at the band's top + (21 - v) / 22 of the band (0.02 .. 0.94 of the area).
    const auto rowOf = [](double v) { return 22 + 194 * (0.02 + (21 - v) / 22 * 0.92); };
    const QColor targets(120, 120, 120);
    const QColor after(30, 70, 200);
    for (const int x : {100, 500, 900}) {
      QVERIFY2(ColourNear(inputs, x, rowOf(15), targets), "the high target is drawn level");
      QVERIFY2(ColourNear(inputs, x, rowOf(5), targets), "the low target is drawn level");
      // The value before tuning crosses 10 in the middle, drawn over the tuned one.
      if (x != 500) QVERIFY2(ColourNear(inputs, x, rowOf(10), after), "the tuned value at 10");
      QVERIFY2(ColourNear(inputs, x, kPanelPixels + rowOf(15), targets), "the second input's");
    }
    QVERIFY2(!ColourNear(inputs, 500, rowOf(12.5), targets), "nothing grey between the targets");
    // The value before tuning rises from the bottom left to the top right.
    const QColor before(200, 40, 40);
    QVERIFY(ColourNear(inputs, 8, rowOf(0), before));
    QVERIFY(ColourNear(inputs, 991, rowOf(20), before));
  }

  void AFolderThatCannotBeWrittenGetsNoFile() {
    test::ScratchDir dir;
    const std::string missing = dir.Path() + "/no/such/folder";
    QVERIFY(WritePlotFiles(missing, Plots()).empty());
    QVERIFY(!std::filesystem::exists(missing));
  }
};

QTEST_MAIN(TunePlotFilesTest)
#include "TunePlotFilesTest.moc"
