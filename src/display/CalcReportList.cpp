#include "display/CalcReportList.h"

namespace kavro {

void mnuDebugCalc(Controller& c, const ReportLines& report) {
  CalcReportState& list = *c.window.calcReport;
  if (list.lstDebugVisible) {
    list.lstDebugVisible = false;
    return;
  }
  list.lstDebug = report ? report(c) : std::vector<std::string>{};
  list.lstDebugVisible = true;
}

}  // namespace kavro
