#include "ui/SplashWindow.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include "common/WaitSeconds.h"
#include "display/ProgramInfo.h"
#include "ui/QtPorts.h"

namespace kavro::ui {

namespace {

const QColor kImageColours[] = {QColor(0, 0, 255), QColor(0, 160, 0), QColor(255, 0, 0)};

// Image1..3: one membership function each, in three colours.
QPixmap ZonePicture(const QColor& colour) {
  QPixmap picture(48, 36);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(colour, 3));
  p.drawPolyline(QPolygonF({QPointF(2, 32), QPointF(16, 4), QPointF(32, 4), QPointF(46, 32)}));
  return picture;
}

QLabel* AddLabel(QVBoxLayout* layout, const char* name, const QString& text, double scale,
                 bool bold) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  QFont font = label->font();
  font.setPointSizeF(font.pointSizeF() * scale);
  font.setBold(bold);
  label->setFont(font);
  layout->addWidget(label);
  return label;
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent) : QDialog(parent, Qt::SplashScreen) {
  setObjectName("frmSplash");
  const SplashTexts texts = SplashFixedTexts();
  setWindowTitle(QString::fromStdString(texts.caption));
  setStyleSheet("QDialog#frmSplash { background-color: white; border: 2px solid #404080; }");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(30, 20, 30, 20);
  auto* pictures = new QHBoxLayout();
  for (std::size_t i = 0; i < std::size(kImageColours); ++i) {
    auto* image = new QLabel(this);
    image->setObjectName(QString("Image%1").arg(i + 1));
    image->setFixedSize(48, 36);
    pictures->addWidget(image);
    images_.push_back(image);
  }
  layout->addLayout(pictures);
  AddLabel(layout, "lblProductName", QString::fromStdString(texts.productName), 2.0, true);
  lblCompanyProduct_ = AddLabel(layout, "lblCompanyProduct", "", 1.3, true);
  lblScript_ = AddLabel(layout, "lblScript", QString::fromStdString(texts.script), 1.1, false);
  AddLabel(layout, "lblVersion", QString::fromStdString(texts.version), 1.0, false);
  AddLabel(layout, "lblPlatform", QString::fromStdString(texts.platform), 1.0, false);
  AddLabel(layout, "lblMaker", kMakerName, 1.0, false);
  setMinimumWidth(460);
  Show(SplashStart());
}

void SplashWindow::Show(const SplashState& state) {
  for (std::size_t i = 0; i < images_.size(); ++i) {
    // Keep their room so the window does not jump as they appear.
    images_[i]->setPixmap(static_cast<int>(i) < state.imagesShown ? ZonePicture(kImageColours[i])
                                                                  : QPixmap());
  }
  lblCompanyProduct_->setText(QString::fromStdString(state.companyProduct));
  lblScript_->setVisible(state.scriptShown);
}

void SplashWindow::RunStages() {
  QtClock clock;
  QtEventPump events;
  Ports ports;
  ports.clock = &clock;
  ports.events = &events;
  for (const SplashStage& stage : SplashStages()) {
    WaitSeconds(ports, static_cast<float>(stage.waitSeconds));
    Show(stage.after);
    if (stage.close) accept();
  }
}

void SplashWindow::Run() {
  QTimer::singleShot(kSplashTimerMs, this, [this] { RunStages(); });
  exec();
}

}  // namespace kavro::ui
