#include "app/HeadlessService.h"

#include <signal.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "engine/RunTimeError.h"
#include "link/PosixProcessStarter.h"
#include "session/ControllerBuilder.h"
#include "session/GuardedCall.h"
#include "session/HeadlessEvents.h"
#include "session/HeadlessOperator.h"
#include "session/ProgramStart.h"
#include "session/SignalStop.h"
#include "session/WorkFolder.h"
#include "ui/QtPorts.h"

namespace kavro::app {
namespace {

volatile sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

class ScaledClock : public Clock {
 public:
  explicit ScaledClock(double scale) : start_(QDateTime::currentDateTime()), scale_(scale) {
    elapsed_.start();
  }
  double SecondsOfDay() override { return ui::SecondsOfDayOf(Current().time()); }
  DateTime Now() override { return ui::DateTimeOf(Current()); }

 private:
  QDateTime Current() const {
    return start_.addMSecs(static_cast<qint64>(static_cast<double>(elapsed_.elapsed()) * scale_));
  }
  QDateTime start_;
  QElapsedTimer elapsed_;
  double scale_;
};

int Scaled(int milliseconds, double scale) {
  return std::max(1, static_cast<int>(milliseconds / scale));
}

class ScaledTimer : public CycleTimer {
 public:
  ScaledTimer(ui::QtCycleTimer& timer, double scale) : timer_(timer), scale_(scale) {}
  void Arm(int milliseconds) override { timer_.Arm(Scaled(milliseconds, scale_)); }
  void Stop() override { timer_.Stop(); }

 private:
  ui::QtCycleTimer& timer_;
  double scale_;
};

class ScaledPump : public EventPump {
 public:
  explicit ScaledPump(double scale) : scale_(scale) {}
  void ProcessEvents() override { pump_.ProcessEvents(); }
  void Sleep(int milliseconds) override { pump_.Sleep(Scaled(milliseconds, scale_)); }

 private:
  ui::QtEventPump pump_;
  double scale_;
};

// How often a stop signal is looked for between cycles.
constexpr int kSignalPollMs = 200;

}  // namespace

int RunHeadless(int argc, char** argv, const std::string& workDir, int historyDays) {
  std::error_code error;
  const std::string dir = std::filesystem::absolute(workDir, error).lexically_normal().string();
  if (error || !std::filesystem::is_directory(dir, error)) {
    std::fprintf(stderr, "kavro: no folder %s\n", workDir.c_str());
    return kExitCannotStart;
  }
  // Nothing (lock, events file) is written to a folder that holds no controller.
  if (!HoldsConfiguration(SystemFileSystem(), dir)) {
    std::fprintf(stderr, "kavro: %s\n", NoConfigurationText(dir).c_str());
    return kExitCannotStart;
  }
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("kavro");
  // The link client program is started in the working folder, as from the window.
  QDir::setCurrent(QString::fromStdString(dir));

  Controller controller;
  // Declared before the operator and the session, so that it outlives both.
  std::function<void(const std::string&)> say;
  HeadlessOperator op(controller, [&say](const std::string& line) { say(line); });
  // The tests run a plant for hundreds of cycles in seconds: KAVRO_TIME_SCALE=N makes the
  // controller's clock, its timer and its waits run N times faster, as kavro-plantsim's --speed
  // does for the plant. Unset (or 1) on a real plant.
  const double scale = TimeScaleOf(std::getenv("KAVRO_TIME_SCALE"));
  ScaledClock clock(scale);
  ScaledPump pump(scale);
  ui::QtCycleTimer qtTimer;
  ScaledTimer timer(qtTimer, scale);
  PosixProcessStarter processes;
  ControllerParts parts;
  parts.op = &op;
  parts.clock = &clock;
  parts.events = &pump;
  parts.timer = &timer;
  parts.processes = &processes;
  parts.session.historyDays = historyDays;
  // Nothing to copy to or print on without a desktop: those stay the stand-ins.
  BuiltController built(controller, std::move(parts));
  ControllerSession& session = built.session();
  // What the operator would have been shown goes to standard error and, through the session's
  // one appender, into the events file beside the events.
  say = [&session](const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::string error;
    if (!session.AppendToEventsFile(line, &error))
      std::fprintf(stderr, "kavro: %s\n", error.c_str());
  };

  EventLogFollower follower;
  const auto forwardEvents = [&] {
    follower.Forward(controller.events, [](const EventEntry& e) {
      std::fprintf(stderr, "%s\n", EventLineText(e).c_str());
    });
  };

  qtTimer.onTick = [&] {
    RunGuarded(controller, [&] { session.RunCycle(); });
    forwardEvents();
  };

  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);

  QTimer signalWatch;
  QObject::connect(&signalWatch, &QTimer::timeout, [&] {
    if (!stopRequested) return;
    stopRequested = 0;
    // As File > Exit answered Yes, after a cycle that is running.
    StopBySignal(session, op,
                 {forwardEvents, say, [](int status) { QCoreApplication::exit(status); }});
  });
  signalWatch.start(kSignalPollMs);

  if (const auto refusal = session.ClaimWorkDir(dir)) {
    std::fprintf(stderr, "kavro: %s\n", refusal->c_str());
    return kExitFolderTaken;
  }
  say(NowText(controller) + " Kavro: headless controller starting in " + dir);
  RunGuarded(controller, [&] { session.Start(dir); });
  forwardEvents();
  return QCoreApplication::exec();
}

}  // namespace kavro::app
