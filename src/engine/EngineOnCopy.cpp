#include "engine/EngineOnCopy.h"

#include <limits>
#include <string>

#include "common/NumberText.h"
#include "engine/Defuzzify.h"
#include "engine/Fuzzify.h"
#include "engine/GridExchange.h"
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
    : copy_(live), grid_(liveGrid), present_(InputsOf(live)) {}

EngineOnCopy::EngineOnCopy(const ControllerModel& live) : copy_(live), present_(InputsOf(live)) {
  ShowRulesInGrid(copy_, grid_);
}

OutputValues EngineOnCopy::Outputs(const InputValues& inputs) {
  for (int i = 1; i <= NumIn; ++i) copy_.PVarIn[i].PVIN = inputs[i];
  Fuzzify(copy_);
  EvaluateRules(copy_, grid_, memo_);
  Defuzzify(copy_, grid_, memo_);
  OutputValues values{};
  for (int o = 1; o <= NumOut; ++o) {
    const std::string& text = copy_.PVarOut[o].ValueOut;
    values[o] = IsNumeric(text) ? ToSingle(text) : std::numeric_limits<float>::quiet_NaN();
  }
  return values;
}

}  // namespace kavro
