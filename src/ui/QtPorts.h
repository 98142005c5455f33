#pragma once
// The ports of the core as the Qt window offers them: message and input boxes, the system
// clock, the event loop, Timer1 and the clipboard. Programs are started by the core's own
// PosixProcessStarter, the same with or without the window.
#include <QObject>
#include <QTimer>
#include <functional>

#include "common/ports/Ports.h"

class QDateTime;
class QTime;
class QWidget;

namespace kavro::ui {

// A Qt date and time as the core's clock gives it, to the whole second.
DateTime DateTimeOf(const QDateTime& moment);
// Seconds since midnight, with the milliseconds as a fraction.
double SecondsOfDayOf(const QTime& time);

class QtOperator : public Operator {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& initial) override;

 private:
  QWidget* parent_ = nullptr;
};

class QtClock : public Clock {
 public:
  double SecondsOfDay() override;
  DateTime Now() override;
};

class QtEventPump : public EventPump {
 public:
  void ProcessEvents() override;
  // Sleeps while window events go on being handled.
  void Sleep(int milliseconds) override;
};

// Timer1: a one-shot QTimer that calls onTick when it fires.
class QtCycleTimer : public CycleTimer {
 public:
  QtCycleTimer();
  void Arm(int milliseconds) override;
  void Stop() override;
  bool IsArmed() const { return timer_.isActive(); }
  int Interval() const { return timer_.interval(); }
  std::function<void()> onTick;

 private:
  QTimer timer_;
};

class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override;
};

}  // namespace kavro::ui
