#include "ui/WorkFolderDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace kavro::ui {

std::string RecentFoldersPath() {
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      QStringLiteral("/kavro");
  QDir().mkpath(dir);
  return (dir + QStringLiteral("/recent-folders")).toStdString();
}

WorkFolderDialog::WorkFolderDialog(FileSystem& files, const RecentFolders& recent,
                                   const QString& startedIn, QWidget* parent)
    : QDialog(parent), files_(files) {
  setWindowTitle(QStringLiteral("Kavro: Working Folder"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      QString::fromStdString(NoConfigurationText(startedIn.toStdString())) +
          QStringLiteral(".\nChoose the working folder of a controller (the folder of its FLC.dat):"),
      this));
  layout->addWidget(new QLabel(QStringLiteral("&Recent folders:"), this));
  recentList_ = new QListWidget(this);
  for (const std::string& dir : recent.List()) recentList_->addItem(QString::fromStdString(dir));
  if (recentList_->count() > 0) recentList_->setCurrentRow(0);
  layout->addWidget(recentList_);
  note_ = new QLabel(this);
  note_->setWordWrap(true);
  layout->addWidget(note_);

  const std::optional<std::string> last = recent.Last();
  browseFrom_ = last ? QString::fromStdString(*last) : QDir::homePath();
  auto* buttons = new QDialogButtonBox(this);
  open_ = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
  QPushButton* browse = buttons->addButton(QStringLiteral("&Browse..."), QDialogButtonBox::ActionRole);
  buttons->addButton(QStringLiteral("&Quit"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  open_->setEnabled(recentList_->count() > 0);

  connect(open_, &QPushButton::clicked, this, [this] {
    if (QListWidgetItem* item = recentList_->currentItem()) Choose(item->text());
  });
  connect(recentList_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { Choose(item->text()); });
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString dir =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Working Folder"), browseFrom_);
    if (!dir.isEmpty()) Choose(dir);
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void WorkFolderDialog::Choose(const QString& dir) {
  const QString folder = QDir(dir).absolutePath();
  browseFrom_ = folder;
  if (const auto refusal = RefuseWorkFolder(files_, folder.toStdString())) {
    note_->setText(QString::fromStdString(*refusal));
    return;
  }
  chosen_ = folder;
  accept();
}

}  // namespace kavro::ui
