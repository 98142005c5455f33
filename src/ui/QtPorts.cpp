#include "ui/QtPorts.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QThread>

namespace kavro::ui {

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoDefaultNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::OK: break;
  }
  return QMessageBox::Ok;
}

}  // namespace

MsgAnswer QtOperator::MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) {
  // Message texts break their lines with CR LF; Qt wants LF alone.
  QString body = QString::fromStdString(text);
  body.replace("\r\n", "\n");
  QMessageBox box(ToQtIcon(icon), QString::fromStdString(title), body, ToQtButtons(buttons),
                  parent_);
  if (buttons == MsgButtons::YesNoDefaultNo) {
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
  }
  switch (box.exec()) {
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return MsgAnswer::OK;
  }
}

std::optional<std::string> QtOperator::InputBox(const std::string& prompt,
                                                const std::string& title,
                                                const std::string& initial) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(parent_, QString::fromStdString(title), QString::fromStdString(prompt),
                            QLineEdit::Normal, QString::fromStdString(initial), &ok);
  if (!ok) return std::nullopt;
  return answer.toStdString();
}

DateTime DateTimeOf(const QDateTime& moment) {
  const QDate d = moment.date();
  const QTime t = moment.time();
  return DateTime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

double SecondsOfDayOf(const QTime& time) { return time.msecsSinceStartOfDay() / 1000.0; }

double QtClock::SecondsOfDay() { return SecondsOfDayOf(QTime::currentTime()); }

DateTime QtClock::Now() { return DateTimeOf(QDateTime::currentDateTime()); }

void QtEventPump::ProcessEvents() { QCoreApplication::processEvents(); }

void QtEventPump::Sleep(int milliseconds) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (elapsed.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents,
                                    static_cast<int>(milliseconds - elapsed.elapsed()));
    QThread::msleep(5);
  }
}

QtCycleTimer::QtCycleTimer() {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (onTick) onTick();
  });
}

void QtCycleTimer::Arm(int milliseconds) { timer_.start(std::max(0, milliseconds)); }

void QtCycleTimer::Stop() { timer_.stop(); }

void QtClipboard::SetText(const std::string& text) {
  QApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace kavro::ui
