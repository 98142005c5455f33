#pragma once
// The span the trend shows as a CSV file, for a spreadsheet beside the plant's own records: the
// time of each cycle, then one column per named variable (inputs, then outputs), oldest first.
// The cycles come from the plant history, and the held cycles it has not yet recorded (all of
// the span when there is no history to read).
#include <string>

#include "model/Controller.h"

namespace kavro {

// The header "Time,<name>,..." and one line per cycle, CR LF line ends, "." decimals whatever
// the locale; a name with a comma, a quote or a line break is quoted.
std::string TrendCsvText(Controller& controller);

}  // namespace kavro
