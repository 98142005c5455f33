#include "engine/EngineOnCopy.h"

#include <limits>
#include <string>

#include "common/NumberText.h"
#include "engine/Defuzzify.h"
#include "engine/Fuzzify.h"
#include "engine/RuleEvaluation.h"

namespace kavro {
namespace {

InputValues InputsOf(const ControllerModel& model) {
  InputValues values{};
  for (int i = 1; i <= NumIn; ++i) values[i] = model.PVarIn[i].PVIN;
  return values;
}

}  // namespace

EngineOnCopy::EngineOnCopy(const ControllerModel& live, const MainGrid& liveGrid)
    : copy_(live), grid_(liveGrid), texts_(*grid_), present_(InputsOf(live)) {}

EngineOnCopy::EngineOnCopy(const ControllerModel& live)
    : copy_(live), texts_(copy_), present_(InputsOf(live)) {}

OutputValues EngineOnCopy::Outputs(const InputValues& inputs) {
  for (int i = 1; i <= NumIn; ++i) copy_.PVarIn[i].PVIN = inputs[i];
  Fuzzify(copy_);
  EvaluateRules(copy_, texts_, memo_);
  Defuzzify(copy_, texts_, memo_);
  OutputValues values{};
  for (int o = 1; o <= NumOut; ++o) {
    const std::string& text = copy_.PVarOut[o].ValueOut;
    values[o] = IsNumeric(text) ? ToSingle(text) : std::numeric_limits<float>::quiet_NaN();
  }
  return values;
}

}  // namespace kavro
