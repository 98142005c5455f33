#include "FuzzyliteEquivalent.h"

#include <fl/Headers.h>

#include <stdexcept>
#include <string>

#include "BenchPlant.h"
#include "common/RestrictFalseReport.h"

namespace kavro::bench {
namespace {

KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
std::string Term(int zone) { return "Z" + std::to_string(zone); }
KAVRO_STRING_RESTRICT_FALSE_REPORT_END

}  // namespace

FuzzyliteEquivalent::FuzzyliteEquivalent() : engine_(std::make_unique<fl::Engine>("bench")) {
  for (int i = 1; i <= NumIn; ++i) {
    auto* input = new fl::InputVariable("IN" + std::to_string(i), -10.0, 110.0);
    for (int z = 1; z <= NumZones; ++z) {
      const auto points = InputZonePoints(z);
      std::vector<fl::Discrete::Pair> xy;
      for (int p = 0; p < NumPoints; ++p) xy.emplace_back(points[p], kZoneValues[p]);
      input->addTerm(new fl::Discrete(Term(z), xy));
    }
    engine_->addInputVariable(input);
  }
  for (int o = 1; o <= NumOut; ++o) {
    auto* output = new fl::OutputVariable("OUT" + std::to_string(o), -10.0, 10.0);
    output->setDefuzzifier(new fl::WeightedAverage());
    output->setAggregation(nullptr);
    output->setDefaultValue(0.0);
    for (int z = 1; z <= NumZones; ++z) output->addTerm(new fl::Constant(Term(z), OutputZoneValue(z)));
    engine_->addOutputVariable(output);
  }
  auto* rules = new fl::RuleBlock("rules");
  rules->setConjunction(new fl::Minimum());
  rules->setImplication(nullptr);
  rules->setActivation(new fl::General());
  for (int r = 1; r <= NumRules; ++r) {
    std::string text = "if";
    for (int i = 1; i <= NumIn; ++i) {
      text += (i > 1 ? " and IN" : " IN") + std::to_string(i) + " is " + Term(RuleZone(r, i));
    }
    text += " then";
    for (int o = 1; o <= NumOut; ++o) {
      text += (o > 1 ? " and OUT" : " OUT") + std::to_string(o) + " is " +
              Term(RuleZone(r, NumIn + o));
    }
    rules->addRule(fl::Rule::parse(text, engine_.get()));
  }
  engine_->addRuleBlock(rules);
  std::string status;
  if (!engine_->isReady(&status)) throw std::runtime_error("fuzzylite engine not ready: " + status);
}

FuzzyliteEquivalent::~FuzzyliteEquivalent() = default;

void FuzzyliteEquivalent::SetInput(int input, float value) {
  engine_->getInputVariable(static_cast<std::size_t>(input - 1))->setValue(value);
}

void FuzzyliteEquivalent::Process() { engine_->process(); }

double FuzzyliteEquivalent::Output(int output) const {
  return engine_->getOutputVariable(static_cast<std::size_t>(output - 1))->getValue();
}

}  // namespace kavro::bench
