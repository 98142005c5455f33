#pragma once
// The configuration as IEC 61131-7 Fuzzy Control Language: one FUNCTION_BLOCK named after the
// controller, read by other fuzzy-logic tools; what FCL cannot say goes into the note block
// (see FclNotes.h), so that import-fcl gives the same configuration back.
#include <array>
#include <string>

#include "model/ControllerModel.h"

namespace kavro {

// The FCL identifiers of a model's variables and zones, the same for export and import:
// FclIdentifier of the name, made unique with "_" and the slot where an earlier one has it.
struct FclNames {
  std::array<std::string, NumIn + 1> inputs;
  std::array<std::string, NumOut + 1> outputs;
  std::array<std::array<std::string, NumZones + 1>, NumIn + 1> inputZones;
  std::array<std::array<std::string, NumZones + 1>, NumOut + 1> outputZones;
};
FclNames MakeFclNames(const ControllerModel& model);

// True when rule r can be written as an FCL rule: its operator is one of OperatorNames, each
// term in use names a zone of a variable in use, and it has an input term and an output term.
bool RuleFitsFcl(const ControllerModel& model, int rule);

std::string FclText(const ControllerModel& model);

}  // namespace kavro
