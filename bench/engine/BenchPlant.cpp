#include "BenchPlant.h"

#include <cmath>
#include <random>
#include <string>

#include "common/RestrictFalseReport.h"
#include "display/GridValues.h"

namespace kavro::bench {

std::array<float, 4> InputZonePoints(int zone) {
  const float left = static_cast<float>(zone - 1) * 14.0f;
  return {left, left + 4.0f, left + 12.0f, left + 18.0f};
}

float OutputZoneValue(int zone) { return static_cast<float>(zone - 4) * 0.5f; }

int RuleZone(int rule, int termSlot) { return (rule * (termSlot + 2) + termSlot) % NumZones + 1; }

namespace {

template <typename Variable>
void NameVariable(Variable& variable, const std::string& name) {
  variable.PVarName = name;
  for (int z = 1; z <= NumZones; ++z) variable.Zone[z].MFName = "Z" + std::to_string(z);
}

}  // namespace

void ConfigurePlant(Controller& controller) {
  ControllerModel& model = controller.model;
  ResetModel(model, ".");
  ApplyDefaults(model);
  model.FLCBlock.Name1 = "BENCH";
  model.FLCBlock.RunFrequency = 30;
  for (int i = 1; i <= NumIn; ++i) {
    KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
    NameVariable(model.PVarIn[i], "IN" + std::to_string(i));
    KAVRO_STRING_RESTRICT_FALSE_REPORT_END
    for (int z = 1; z <= NumZones; ++z) {
      const auto points = InputZonePoints(z);
      for (int p = 1; p <= NumPoints; ++p) {
        model.PVarIn[i].Zone[z].MFPValue[p] = points[p - 1];
        model.PVarIn[i].Zone[z].MFValue[p] = kZoneValues[p - 1];
      }
    }
    model.PVarIn[i].PVIN = 50;
  }
  for (int o = 1; o <= NumOut; ++o) {
    PVarOutRecord& output = model.PVarOut[o];
    KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
    NameVariable(output, "OUT" + std::to_string(o));
    KAVRO_STRING_RESTRICT_FALSE_REPORT_END
    output.OutputType = kIncr;
    output.PVIN = 50;
    output.Max_Change = 5;
    output.Change_Time = 5;
    output.Wait_Change = 10;
    for (int z = 1; z <= NumZones; ++z) {
      output.Zone[z].MFPValue = {0, OutputZoneValue(z), OutputZoneValue(z) + 0.5f,
                                 OutputZoneValue(z) + 1.0f, OutputZoneValue(z) + 1.5f};
      output.Zone[z].MFValue = {0, 1, 1, 1, 0};
    }
  }
  for (int r = 1; r <= NumRules; ++r) {
    model.Rules[r].Operator = "MIN";
    for (int k = 1; k <= NumTerms; ++k) {
      KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
      model.Rules[r].Term[k] = "Z" + std::to_string(RuleZone(r, k));
      KAVRO_STRING_RESTRICT_FALSE_REPORT_END
    }
  }
  ShowValuesInGrid(model, controller.grid);
  ShowRulesInGrid(model, controller.grid);
}

PlantValues::PlantValues() {
  constexpr size_t kSamples = 4096;
  std::mt19937 generator(11);
  std::normal_distribution<float> noise(0.0f, 1.5f);
  values_.resize(kSamples * NumIn);
  for (size_t s = 0; s < kSamples; ++s) {
    for (int i = 0; i < NumIn; ++i) {
      const double phase = static_cast<double>(s) / (40.0 + 7.0 * i) + i;
      values_[s * NumIn + static_cast<size_t>(i)] =
          static_cast<float>(50.0 + 45.0 * std::sin(phase)) + noise(generator);
    }
  }
}

float PlantValues::Input(size_t sample, int input) const {
  return values_[(sample % Count()) * NumIn + static_cast<size_t>(input - 1)];
}

}  // namespace kavro::bench
