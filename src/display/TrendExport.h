#pragma once
// The held history as a CSV file, for a spreadsheet beside the plant's own records: the time of
// each sample, then one column per named variable (inputs, then outputs), oldest sample first.
#include <string>

#include "model/ControllerModel.h"

namespace kavro {

// The header "Time,<name>,..." and one line per held sample, CR LF line ends, "." decimals
// whatever the locale; a name with a comma, a quote or a line break is quoted.
std::string TrendCsvText(ControllerModel& model);

}  // namespace kavro
