#include "display/RuleRowsSelector.h"

#include "common/NumberText.h"
#include "display/MainDisplay.h"
#include "model/CycleHold.h"
#include "common/RestrictFalseReport.h"

namespace kavro {

void FillRuleRowsSelector(Controller& c) {
  RuleRowsState& selector = *c.window.ruleRows;
  KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
  for (int r = 11; r <= NumRules; ++r)
    selector.cmbDisplayRules.push_back("R" + FormatNumber(r, "00"));
  KAVRO_STRING_RESTRICT_FALSE_REPORT_END
  selector.cmbDisplayRulesText =
      selector.cmbDisplayRules.back();  // all 20 rules are shown at start
}

void cmbDisplayRules_LostFocus(Controller& c, const std::string& text) {
  RuleRowsState& selector = *c.window.ruleRows;
  selector.cmbDisplayRulesText = text;
  // "R15" -> "15": characters 2 and 3 when there are at least three.
  const std::string count = text.size() >= 3 ? text.substr(1, 2) : text;
  if (!IsNumeric(count)) return;
  selector.RuleRowsShown = ToInt16(ToNumber(count) + kRowsAboveRules);
  CycleHoldGuard hold(c.model);
  BuildMainDisplay(c);
}

}  // namespace kavro
