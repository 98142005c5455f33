#include "display/RuleRowsSelector.h"

#include "common/NumberText.h"
#include "display/MainDisplay.h"
#include "model/CycleHold.h"

namespace kavro {

void FillRuleRowsSelector(WindowState& window) {
  for (int r = 11; r <= NumRules; ++r) window.cmbDisplayRules.push_back("R" + FormatNumber(r, "00"));
  window.cmbDisplayRulesText = window.cmbDisplayRules.back();  // all 20 rules are shown at start
}

void cmbDisplayRules_LostFocus(Controller& c, const std::string& text) {
  c.window.cmbDisplayRulesText = text;
  // "R15" -> "15": characters 2 and 3 when there are at least three.
  const std::string count = text.size() >= 3 ? text.substr(1, 2) : text;
  if (!IsNumeric(count)) return;
  c.window.RuleRowsShown = ToInt16(ToNumber(count) + kRowsAboveRules);
  CycleHoldGuard hold(c.model);
  BuildMainDisplay(c);
}

}  // namespace kavro
