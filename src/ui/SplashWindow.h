#pragma once
// frmSplash: shown modally at start; its texts grow in timed stages and it closes by itself.
#include <QDialog>
#include <vector>

#include "display/Splash.h"

class QLabel;

namespace kavro::ui {

class SplashWindow : public QDialog {
  Q_OBJECT
 public:
  explicit SplashWindow(QWidget* parent = nullptr);
  // Shows the window and runs its stages; returns when it has closed itself.
  void Run();

 private:
  void Show(const SplashState& state);
  void RunStages();
  std::vector<QLabel*> images_;
  QLabel* lblCompanyProduct_;
  QLabel* lblScript_;
};

}  // namespace kavro::ui
