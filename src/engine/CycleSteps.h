#pragma once
// The steps of the control cycle that belong to other parts of the controller: the link, the
// scripts and the window's refreshes. app/ fills them in when it wires the program; a step left
// empty does nothing, so the engine runs headless and in tests without them.
#include <functional>
#include <string>

namespace kavro {

struct Controller;

struct CycleSteps {
  // Link read and write; called only while the link is ON. They set or clear LinkReadError /
  // LinkWriteError and never throw for a link failure.
  std::function<void(Controller&)> readLink;
  std::function<void(Controller&)> writeLink;
  // Link supervision (a stale .IN, a link client or bridge to start again): after every cycle
  // while the link is ON, whether or not the cycle's work failed, so that a cycle error that
  // comes back every cycle never leaves the link unattended.
  std::function<void(Controller&)> superviseLink;
  // The pre- and post-process scripts: run the script when it is loaded and switched on, and
  // return true when it ran. A script error is thrown as KavroError into the cycle.
  std::function<bool(Controller&)> runPreScript;
  std::function<bool(Controller&)> runPostScript;
  // Step 4 while the link is ON: the main grid shows the values the link read. Run minimised
  // or held alike, as the engine reads these texts back once the link is switched off.
  std::function<void(Controller&)> showValues;
  // Display refreshes at the end of the cycle (skipped while minimised or CycleHold is set).
  std::function<void(Controller&)> refreshStatus;
  std::function<void(Controller&)> refreshTrend;
  std::function<void(Controller&)> refreshLinkPanel;
  // The last run, read and write times, shown once the next cycle is armed, minimised or not.
  std::function<void(Controller&)> showCycleTimes;

  // After defuzzification, before the move limits: a stand-in controller (the tuner's PI
  // baseline) puts its own output values in place of the rules', so that they meet the same
  // move limits, scripts and link.
  std::function<void(Controller&)> replaceOutputs;

  // Control engine (engine area): told of every run-time error report of the cycle (its three
  // lines) after it went to the event log; offline replay prints them.
  std::function<void(Controller&, const std::string&)> runTimeErrorReported;
};

}  // namespace kavro
