#pragma once
// What the last cycle worked out for each rule, term by term, for a view that shows why the
// outputs moved: the view computes nothing of its own, it reads what the engine left in the
// model (each zone's degree, each rule's strength) and the rules' texts (see RuleTexts).
#include <string>
#include <vector>

#include "engine/RuleTexts.h"
#include "model/ControllerModel.h"

namespace kavro {

struct FiringTerm {
  int termSlot = 0;        // 1..NumTerms
  std::string term;        // the zone name the rule names
  int zone = 0;            // the zone it found, 0: none has that name
  float degree = 0;        // the input's degree in that zone (outputs: 0)
  float presentValue = 0;  // the variable's PVIN
};

struct FiringRow {
  int rule = 0;
  std::string operatorName;
  std::vector<FiringTerm> inputs;   // the input terms in use
  std::vector<FiringTerm> outputs;  // the output terms in use
  bool used = false;                // the strength is a number
  float strength = 0;
  bool fired = false;  // strength above 0
};

// One row per rule in use (a rule with at least one term other than "Not Used").
std::vector<FiringRow> RuleFiringRows(const ControllerModel& model, const RuleTexts& texts);

}  // namespace kavro
