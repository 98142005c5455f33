#pragma once
// Asked at start when the window was started in a folder without FLC.dat: which controller's
// folder to work in. It lists the folders worked in before and browses from the last one; a
// folder without FLC.dat is refused in the dialog itself, so nothing is started there.
#include <QDialog>
#include <QString>

#include "session/WorkFolder.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace kavro::ui {

// Where the recent-folder list is kept: the user's settings folder (XDG_CONFIG_HOME/kavro),
// made when missing; never a working folder.
std::string RecentFoldersPath();

class WorkFolderDialog : public QDialog {
  Q_OBJECT
 public:
  WorkFolderDialog(FileSystem& files, const RecentFolders& recent, const QString& startedIn,
                   QWidget* parent = nullptr);
  // Takes a folder: accepted when it holds FLC.dat, else the refusal is shown in the dialog.
  void Choose(const QString& dir);
  QString chosen() const { return chosen_; }

  QListWidget* recentList() const { return recentList_; }
  QLabel* note() const { return note_; }
  QPushButton* openButton() const { return open_; }

 private:
  FileSystem& files_;
  QString browseFrom_;
  QString chosen_;
  QListWidget* recentList_;
  QLabel* note_;
  QPushButton* open_;
};

}  // namespace kavro::ui
