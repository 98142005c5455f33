// kavro: the operator's program. It starts in the folder that holds FLC.dat and the scripts,
// shows the splash window, then the main window, and runs until File / Exit is confirmed.
// With --headless it runs the same controller without a window (app/HeadlessService.h).
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/HeadlessService.h"
#include "common/ProgramVersion.h"
#include "common/ports/FileSystem.h"
#include "session/ProgramStart.h"
#include "session/WorkFolder.h"
#include "ui/ControllerHost.h"
#include "ui/FLControl.h"
#include "ui/SplashWindow.h"
#include "ui/WorkFolderDialog.h"

namespace {

constexpr const char* kUsage =
    "usage: kavro\n"
    "       kavro --headless [--workdir DIR] [--history-days N]\n"
    "  Runs the controller of the current folder (FLC.dat, FLC_Pre.scp, FLC_Post.scp)\n"
    "  in its operator window until File / Exit is confirmed.\n"
    "  --headless      runs it without a window until SIGTERM or SIGINT; messages go to\n"
    "                  standard error and DIR/kavro-events.log, questions are answered\n"
    "                  by rule (see man kavro)\n"
    "  --workdir DIR   the working folder (default: the current folder)\n"
    "  --history-days N  keeps N days of plant history (default: as the folder's\n"
    "                  kavro-history.ini says, else 400)\n"
    "  A folder without FLC.dat is not started in: the window asks for the working\n"
    "  folder; --headless says \"no FLC.dat in DIR\" and exits 2.\n";

}  // namespace

int main(int argc, char** argv) {
  if (const int status = kavro::AnswerVersionOrHelp(argc, argv, "kavro", kUsage); status >= 0) {
    return status;
  }
  const kavro::StartChoice choice =
      kavro::ChooseStart(std::vector<std::string>(argv + 1, argv + argc),
                         [](const char* name) { return std::getenv(name); });
  switch (choice.mode) {
    case kavro::StartMode::Usage:
      if (choice.problem.empty()) {
        std::fputs(kUsage, stderr);
      } else {
        std::fprintf(stderr, "kavro: %s\n", choice.problem.c_str());
      }
      return kavro::kExitCannotStart;
    case kavro::StartMode::NoDisplay:
      std::fputs(
          "kavro: no display to show the window on (DISPLAY is not set); run it on the desktop, "
          "or without a screen as: xvfb-run -a kavro\n",
          stderr);
      return kavro::kExitCannotStart;
    case kavro::StartMode::Headless:
      return kavro::app::RunHeadless(argc, argv, choice.workDir, choice.historyDays);
    case kavro::StartMode::Window:
      break;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("kavro");
  // Nothing but a real exit ends the program; the main window refuses to close.
  QApplication::setQuitOnLastWindowClosed(false);

  // A controller works only in a folder that holds its FLC.dat; elsewhere the operator is asked
  // for one, and nothing is written where there is no configuration.
  kavro::FileSystem& files = kavro::SystemFileSystem();
  kavro::RecentFolders recent(files, kavro::ui::RecentFoldersPath());
  QString workDir = QDir::currentPath();
  if (!kavro::HoldsConfiguration(files, workDir.toStdString())) {
    kavro::ui::WorkFolderDialog chooser(files, recent, workDir);
    if (chooser.exec() != QDialog::Accepted) return 0;
    workDir = chooser.chosen();
    // The link client program is started in the working folder.
    QDir::setCurrent(workDir);
  }
  std::string unsaved;
  if (!recent.Remember(workDir.toStdString(), &unsaved)) {
    std::fprintf(stderr, "kavro: the recent folders were not saved: %s\n", unsaved.c_str());
  }

  kavro::ui::SplashWindow splash;
  splash.Run();

  kavro::ui::ControllerHost host;
  QObject::connect(&host, &kavro::ui::ControllerHost::Ended, &app,
                   [] { QCoreApplication::exit(0); });
  if (!host.Start(workDir.toStdString())) return kavro::kExitFolderTaken;
  return QApplication::exec();
}
