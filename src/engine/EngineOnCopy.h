#pragma once
// The control engine run on a copy of the controller's model and rule rows: what the outputs
// would be for input values the engineer chooses, without touching the running controller.
// The control surface and every "what if" view are built on it.
#include <array>
#include <optional>

#include "engine/EngineMemo.h"
#include "engine/RuleTexts.h"
#include "model/ControllerModel.h"
#include "model/MainGrid.h"

namespace kavro {

using InputValues = std::array<float, NumIn + 1>;    // slots 1..NumIn
using OutputValues = std::array<float, NumOut + 1>;  // slots 1..NumOut

class EngineOnCopy {
 public:
  // Copies the model and the rule rows of the main grid as they are now.
  EngineOnCopy(const ControllerModel& live, const MainGrid& liveGrid);
  // For a configuration that has no window: the rules are read from the copy's rule records.
  explicit EngineOnCopy(const ControllerModel& live);
  // The rule texts point into this copy: it stays where it was made.
  EngineOnCopy(const EngineOnCopy&) = delete;
  EngineOnCopy& operator=(const EngineOnCopy&) = delete;

  // The process value of every input when the copy was made.
  const InputValues& PresentInputs() const { return present_; }

  // Fuzzification, rule evaluation and defuzzification of the copy with its inputs set to
  // inputs; the outputs' defuzzified values as the cycle leaves them in ValueOut.
  OutputValues Outputs(const InputValues& inputs);

  // The copy after the last Outputs call (its degrees and rule strengths).
  const ControllerModel& Model() const { return copy_; }
  // Where the copy reads its rules' operators and terms.
  const RuleTexts& Texts() const { return texts_; }

 private:
  ControllerModel copy_;
  std::optional<MainGrid> grid_;  // the live rule rows, when there were any
  RuleTexts texts_;
  EngineMemo memo_;
  InputValues present_{};
};

}  // namespace kavro
