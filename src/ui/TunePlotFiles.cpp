#include "ui/TunePlotFiles.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "tune/PlotPictures.h"
#include "ui/TrendPlotWidget.h"

namespace kavro {
namespace {

constexpr int kWidth = 1000;
constexpr int kPanelHeight = 200;
constexpr int kTitleHeight = 22;

// Text needs a GUI application; the plots need no screen. It lives while the plots are drawn
// and is gone before the program's static objects are.
std::unique_ptr<QGuiApplication> ApplicationForPlots() {
  if (QGuiApplication::instance()) return nullptr;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kavro-tune";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

bool WritePanels(const std::string& path, const std::vector<PlotPanel>& panels) {
  if (panels.empty()) return false;
  QImage image(kWidth, static_cast<int>(panels.size()) * (kPanelHeight + kTitleHeight),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  int top = 0;
  for (const PlotPanel& panel : panels) {
    painter.setPen(Qt::black);
    painter.drawText(QRectF(6, top, kWidth - 12, kTitleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     QString::fromStdString(panel.title));
    const QRectF area(6, top + kTitleHeight, kWidth - 12, kPanelHeight - 6);
    ui::PaintTrend(painter, panel.picture, area);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(area);
    top += kPanelHeight + kTitleHeight;
  }
  painter.end();
  return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace

std::vector<std::string> WritePlotFiles(const std::string& outDir, const TunePlots& plots) {
  const auto app = ApplicationForPlots();
  std::vector<std::string> written;
  const auto write = [&](const char* name, const std::vector<PlotPanel>& panels) {
    if (WritePanels(outDir + "/" + name, panels)) written.push_back(name);
  };
  write("inputs.png", InputPanels(plots));
  write("outputs.png", OutputPanels(plots));
  write("objective.png", {ObjectivePanel(plots)});
  return written;
}

}  // namespace kavro
