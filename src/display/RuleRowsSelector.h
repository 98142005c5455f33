#pragma once
// The rule-rows selector cmbDisplayRules: how many rule rows the main grid shows without
// scrolling. It offers R11 .. R20; the operator may also type into it.
#include <string>
#include <vector>

#include "model/Controller.h"

namespace kavro {

struct RuleRowsState {
  std::vector<std::string> cmbDisplayRules;
  std::string cmbDisplayRulesText;
  bool cmbDisplayRulesVisible = true;  // hidden while the link debug panel covers it
  int RuleRowsShown = 32;              // rows of the main grid visible without scrolling
};

// Rows of the main grid above the first rule row, counted with the rule heading.
inline constexpr int kRowsAboveRules = 12;

// Fills the selector with R11 .. R20 (start-up).
void FillRuleRowsSelector(Controller& controller);

// The selector lost the focus with text in it: "R15" shows 15 rule rows and rebuilds the
// display; text that does not give a number is ignored.
void cmbDisplayRules_LostFocus(Controller& controller, const std::string& text);

}  // namespace kavro
