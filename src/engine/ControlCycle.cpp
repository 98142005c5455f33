#include "engine/ControlCycle.h"

#include <array>

#include "common/NumberText.h"
#include "common/TimeOfDay.h"
#include "engine/Defuzzify.h"
#include "engine/ErrorCode.h"
#include "engine/Fuzzify.h"
#include "engine/GridExchange.h"
#include "engine/HistorySlopes.h"
#include "engine/MoveLimits.h"
#include "engine/RuleEvaluation.h"
#include "engine/RunTimeError.h"
#include "engine/VariabilityIndex.h"

namespace kavro {
namespace {

float SecondsOfDay(Controller& controller) {
  return static_cast<float>(controller.ports.clock->SecondsOfDay());
}

DateTime Now(Controller& controller) { return controller.ports.clock->Now(); }

// The cycle passed a moment the window tells: stamped with the clock's time while one runs.
void Stamp(Controller& controller, CycleStamp& stamp) {
  stamp.happened = true;
  stamp.at.reset();
  if (controller.ports.clock->Runs()) stamp.at = Now(controller);
}

// The screen locks itself again once the operator's unlock time has run out.
void CountDownScreenLock(Controller& controller) {
  ControllerModel& model = controller.model;
  if (model.LockCountdown <= 0) return;
  model.LockCountdown = ToInt16(model.LockCountdown - model.FLCBlock.RunFrequency);
  if (model.LockCountdown < 1) {
    model.LockCountdown = 0;
    model.ScreenLocked = true;
  }
}

// The first cycle after the link was switched on only writes; the read comes a cycle later.
void ReadLink(Controller& controller, const CycleSteps& steps) {
  LinkState& link = controller.model.Link;
  link.PlantReadThisCycle = false;
  if (link.LinkStatus != kOn) return;
  if (link.SkipNextRead) {
    link.SkipNextRead = false;
    return;
  }
  if (steps.readLink) steps.readLink(controller);
  if (!controller.model.LinkReadError) {
    link.PlantReadThisCycle = true;
    Stamp(controller, controller.model.Times.lastRead);
    link.LastReadTime = SecondsOfDay(controller);
  }
}

void WriteLink(Controller& controller, const CycleSteps& steps) {
  LinkState& link = controller.model.Link;
  if (link.LinkStatus != kOn) return;
  if (steps.writeLink) steps.writeLink(controller);
  if (!controller.model.LinkWriteError) {
    Stamp(controller, controller.model.Times.lastWrite);
  }
  link.LastWriteTime = SecondsOfDay(controller);
}

// The post-process script; ScriptAdjust records how it moved each output's numeric value.
void RunPostScript(Controller& controller, const CycleSteps& steps, const EngineMemo& memo) {
  if (!steps.runPostScript) return;
  auto& outputs = controller.model.PVarOut;
  std::array<float, NumOut + 1> before{};
  for (int o = 1; o <= NumOut; ++o) {
    const CellNumberMemo& remembered = memo.valuesOut[o];
    if (remembered.filled && remembered.text == outputs[o].ValueOut) {
      before[o] = remembered.value;
    } else if (IsNumeric(outputs[o].ValueOut)) {
      before[o] = ToSingle(outputs[o].ValueOut);
    }
  }
  if (!steps.runPostScript(controller)) return;
  for (int o = 1; o <= NumOut; ++o) {
    if (IsNumeric(outputs[o].ValueOut)) {
      outputs[o].ScriptAdjust = ToSingle(outputs[o].ValueOut) - before[o];
    }
  }
}

void SuperviseLink(Controller& controller, const CycleSteps& steps) {
  if (controller.model.Link.LinkStatus != kOn || !steps.superviseLink) return;
  controller.model.ErrorStep = 11;
  try {
    steps.superviseLink(controller);
  } catch (const std::exception& failure) {
    ReportRunTimeError(
        controller, steps,
        RunTimeErrorText(AsKavroError(failure), kCycleLocation, controller.model.ErrorStep));
  }
}

void Refresh(Controller& controller, const CycleSteps& steps) {
  if (controller.window.minimised || controller.model.CycleHold) return;
  controller.ports.events->ProcessEvents();
  controller.model.ErrorStep = 13;
  if (steps.refreshStatus) steps.refreshStatus(controller);
  if (steps.refreshTrend) steps.refreshTrend(controller);
  if (steps.refreshLinkPanel) steps.refreshLinkPanel(controller);
}

// Steps 3 to 15; ErrorStep names the step being worked on when one throws.
void RunSteps(Controller& controller, const CycleSteps& steps, EngineMemo& memo) {
  ControllerModel& model = controller.model;
  model.ErrorStep = 3;
  ReadLink(controller, steps);
  model.ErrorStep = 31;
  if (steps.runPreScript) steps.runPreScript(controller);
  model.ErrorStep = 4;
  ExchangeWithGrid(controller, steps, memo);
  model.ErrorStep = 5;
  UpdateHistoryAndSlopes(model, Now(controller));
  model.ErrorStep = 6;
  Fuzzify(model);
  model.ErrorStep = 7;
  EvaluateRules(model, controller.grid, memo);
  model.ErrorStep = 8;
  Defuzzify(model, controller.grid, memo);
  if (steps.replaceOutputs) steps.replaceOutputs(controller);
  model.ErrorStep = 9;
  // The move limits report their own failure and the cycle goes on.
  if (const auto report = ApplyMoveLimits(model, memo)) {
    ReportRunTimeError(controller, steps, *report);
  }
  model.ErrorStep = 7;
  RunPostScript(controller, steps, memo);
  model.ErrorStep = 10;
  ComposeErrorCode(model);
  model.ErrorStep = 11;
  WriteLink(controller, steps);
  model.ErrorStep = 12;
  ComputeIndexes(model, memo.index);
  Refresh(controller, steps);
}

}  // namespace

void Timer1Tick(Controller& controller, const CycleSteps& steps) {
  EngineMemo fresh;
  Timer1Tick(controller, steps, fresh);
}

void Timer1Tick(Controller& controller, const CycleSteps& steps, EngineMemo& memo) {
  ControllerModel& model = controller.model;
  model.ErrorStep = 1;
  controller.ports.timer->Stop();
  model.CycleHasRun = true;
  const float t0 = SecondsOfDay(controller);
  try {
    CountDownScreenLock(controller);
    RunSteps(controller, steps, memo);
  } catch (const std::exception& failure) {
    ReportRunTimeError(controller, steps,
                       RunTimeErrorText(AsKavroError(failure), kCycleLocation, model.ErrorStep));
  }
  SuperviseLink(controller, steps);
  RearmTimer(controller, steps, t0);
  CloseEndedErrorSpells(controller);
}

void RearmTimer(Controller& controller, const CycleSteps& steps, float t0) {
  ControllerModel& model = controller.model;
  model.ErrorStep = 14;
  const float elapsed = static_cast<float>(SecondsBetween(t0, SecondsOfDay(controller)));
  float wait = static_cast<float>(model.FLCBlock.RunFrequency) * 1000.0f - elapsed * 1000.0f;
  if (!(wait >= 1000.0f)) wait = 1000.0f;
  try {
    Stamp(controller, model.Times.lastRun);
    model.Times.waitMs = wait;
    if (steps.showCycleTimes) steps.showCycleTimes(controller);
  } catch (const std::exception& failure) {
    ReportRunTimeError(controller, steps,
                       RunTimeErrorText(AsKavroError(failure), kCycleLocation, model.ErrorStep));
  }
  // Armed whatever happened above: the next cycle must always come.
  controller.ports.timer->Arm(static_cast<int>(RoundHalfEven(wait)));
}

}  // namespace kavro
