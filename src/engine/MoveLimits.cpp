#include "engine/MoveLimits.h"

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "engine/HistorySlopes.h"
#include "engine/RunTimeError.h"

namespace kavro {

int16_t ChangeLag(const PVarOutRecord& output, int16_t runFrequency) {
  return ToInt16(static_cast<double>(output.Change_Time * 60.0f) / (runFrequency + 0.01));
}

float WaitCycles(const PVarOutRecord& output, int16_t runFrequency) {
  return static_cast<float>(static_cast<double>(output.Wait_Change * 60.0f) /
                            (runFrequency + 0.01));
}

namespace {

// Counts one more blocked cycle; the block ends once the count passes the wait.
void CountBlockedCycle(bool& clamp, int16_t& counter, float waitCycles) {
  if (!clamp) return;
  counter = ToInt16(counter + 1);
  if (counter > RoundHalfEven(waitCycles)) {
    counter = 0;
    clamp = false;
  }
}

// The movement of the output's present value over the last ChangeLag cycles, or nothing while
// the history is too short to tell.
std::optional<float> RecentChange(const ControllerModel& model, const PVarOutRecord& output) {
  const int16_t lag = ChangeLag(output, model.FLCBlock.RunFrequency);
  if (model.HistCount <= lag) return std::nullopt;
  return output.PVIN - HistorySample(output.History, model.HistCount - lag);
}

// The passes, with valueOf(o) the number of output o's ValueOut text.
template <typename ValueOf>
std::optional<std::string> ApplyMoveLimitsWith(ControllerModel& model, ValueOf valueOf) {
  const int16_t runFrequency = model.FLCBlock.RunFrequency;
  int step = 0;
  try {
    for (int o = 1; o <= NumOut; ++o) {
      PVarOutRecord& output = model.PVarOut[o];
      const float waitCycles = WaitCycles(output, runFrequency);
      step = 1;
      CountBlockedCycle(output.ClampDecrease, output.DecreaseCounter, waitCycles);
      step = 2;
      CountBlockedCycle(output.ClampIncrease, output.IncreaseCounter, waitCycles);
    }
    for (int o = 1; o <= NumOut; ++o) {
      PVarOutRecord& output = model.PVarOut[o];
      // The change is worked out once, at the first step that needs it (and fails there).
      std::optional<std::optional<float>> recent;
      const auto change = [&]() -> const std::optional<float>& {
        if (!recent) recent = RecentChange(model, output);
        return *recent;
      };
      step = 3;
      if (!output.ClampDecrease && change() && *change() < -output.Max_Change) {
        output.ClampDecrease = true;
      }
      step = 4;
      if (!output.ClampIncrease && change() && *change() > output.Max_Change) {
        output.ClampIncrease = true;
      }
      step = 5;
      if (!(output.Max_Change > 0.0f && output.Wait_Change > 0.0f)) {
        output.ClampIncrease = false;
        output.ClampDecrease = false;
      }
    }
    for (int o = 1; o <= NumOut; ++o) {
      PVarOutRecord& output = model.PVarOut[o];
      step = 6;
      // A value that is not a number is never sent, even though the passes end here.
      output.SendOutput = false;
      const float value = valueOf(o);
      output.SendOutput = true;
      if (value < output.PVIN && output.ClampDecrease) {
        output.ValueOut = GeneralNumber(output.PVIN);
        output.SendOutput = false;
      }
      step = 7;
      if (value > output.PVIN && output.ClampIncrease) {
        output.ValueOut = GeneralNumber(output.PVIN);
        output.SendOutput = false;
      }
    }
  } catch (const std::exception& failure) {
    return RunTimeErrorText(AsKavroError(failure), kMoveLimitLocation, step);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ApplyMoveLimits(ControllerModel& model) {
  return ApplyMoveLimitsWith(model,
                             [&model](int o) { return ToSingle(model.PVarOut[o].ValueOut); });
}

std::optional<std::string> ApplyMoveLimits(ControllerModel& model, const EngineMemo& memo) {
  return ApplyMoveLimitsWith(
      model, [&](int o) { return NumberOfText(memo.valuesOut[o], model.PVarOut[o].ValueOut); });
}

}  // namespace kavro
