#pragma once
// The calculation report list lstDebug, shown over the main grid by Debug / Debug Calcs.
#include <functional>
#include <string>
#include <vector>

#include "model/Controller.h"

namespace kavro {

struct CalcReportState {
  bool lstDebugVisible = false;
  std::vector<std::string> lstDebug;
};

using ReportLines = std::function<std::vector<std::string>(const Controller&)>;

// Hides the list when it is shown; otherwise takes a new snapshot of the report and shows it.
void mnuDebugCalc(Controller& controller, const ReportLines& report);

}  // namespace kavro
