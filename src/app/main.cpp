// kavro: the operator's program. It starts in the folder that holds FLC.dat and the scripts,
// shows the splash window, then the main window, and runs until File / Exit is confirmed.
#include <QApplication>
#include <QDir>

#include "ui/ControllerHost.h"
#include "ui/FLControl.h"
#include "ui/SplashWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("kavro");
  // Nothing but a real exit ends the program; the main window refuses to close.
  QApplication::setQuitOnLastWindowClosed(false);

  kavro::ui::SplashWindow splash;
  splash.Run();

  kavro::ui::ControllerHost host;
  QObject::connect(&host, &kavro::ui::ControllerHost::Ended, &app,
                   [] { QCoreApplication::exit(0); });
  host.Start(QDir::currentPath().toStdString());
  return QApplication::exec();
}
