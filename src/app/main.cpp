// kavro: the operator's program. It starts in the folder that holds FLC.dat and the scripts,
// shows the splash window, then the main window, and runs until File / Exit is confirmed.
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QDir>

#include "ui/ControllerHost.h"
#include "ui/FLControl.h"
#include "ui/SplashWindow.h"

namespace {

// Qt aborts without a display, telling the operator to reinstall; say what is wrong instead.
bool HasDisplay() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fputs(
        "kavro: no display to show the window on (DISPLAY is not set); run it on the desktop, "
        "or without a screen as: xvfb-run -a kavro\n",
        stderr);
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("kavro");
  // Nothing but a real exit ends the program; the main window refuses to close.
  QApplication::setQuitOnLastWindowClosed(false);

  kavro::ui::SplashWindow splash;
  splash.Run();

  kavro::ui::ControllerHost host;
  QObject::connect(&host, &kavro::ui::ControllerHost::Ended, &app,
                   [] { QCoreApplication::exit(0); });
  if (!host.Start(QDir::currentPath().toStdString())) return 1;
  return QApplication::exec();
}
