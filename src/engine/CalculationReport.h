#pragma once
// The calculation report: a snapshot of the move-limit state of each output and the slopes of
// each input, as the lines of the list the window shows over the main grid.
#include <string>
#include <vector>

#include "common/DateText.h"
#include "model/ControllerModel.h"

namespace kavro {

// The report's lines, headed by now ("mmm-dd-yyyy hh:mm:ss"). A look-back that leaves the
// history table (a negative Change_Time) throws 9 "Subscript out of range"; a ChangeLag beyond
// 16 bits throws 6 "Overflow".
std::vector<std::string> CalculationReportLines(const ControllerModel& model, const DateTime& now);

}  // namespace kavro
