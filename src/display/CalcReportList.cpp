#include "display/CalcReportList.h"

namespace kavro {

void mnuDebugCalc(Controller& c, const ReportLines& report) {
  if (c.window.lstDebugVisible) {
    c.window.lstDebugVisible = false;
    return;
  }
  c.window.lstDebug = report ? report(c) : std::vector<std::string>{};
  c.window.lstDebugVisible = true;
}

}  // namespace kavro
