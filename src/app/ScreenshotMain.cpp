// kavro-screenshot WORKDIR OUTPUT.png [CYCLES]: starts the controller in WORKDIR as kavro does
// (without the splash window), lets CYCLES control cycles run on Timer1 (3 by default), then
// saves a picture of the main window and ends. Used for the README's picture of the window.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

#include "session/LinkCommands.h"
#include "model/Dimensions.h"
#include "ui/ControllerHost.h"
#include "ui/FLControl.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: kavro-screenshot WORKDIR OUTPUT.png [CYCLES]\n");
    return 2;
  }
  const QString workDir = QString::fromLocal8Bit(argv[1]);
  const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[2]));
  const int wanted = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
  if (!QDir::setCurrent(workDir)) {
    std::fprintf(stderr, "kavro-screenshot: no such folder: %s\n", argv[1]);
    return 2;
  }
  QApplication::setQuitOnLastWindowClosed(false);
  kavro::ui::ControllerHost host;
  int cycles = 0;
  const auto tick = host.timer().onTick;
  host.timer().onTick = [&] {
    tick();
    if (++cycles < wanted) return;
    QApplication::processEvents();
    const bool saved = host.window().grab().save(output, "PNG");
    std::fprintf(saved ? stdout : stderr, "%s %s after %d cycles\n",
                 saved ? "saved" : "could not save", qPrintable(output), cycles);
    // The STOP file tells the demo's link client program to end with us.
    if (host.controller().model.Link.LinkStatus == kavro::kOn) {
      kavro::SwitchLinkOff(host.controller(), host.session().link());
    }
    QCoreApplication::exit(saved ? 0 : 1);
  };
  host.Start(QDir::currentPath().toStdString());
  return QApplication::exec();
}
