#pragma once
// The readiness check: every problem of a configuration that would make the controller act
// other than its engineer meant, listed all at once rather than the first alone. It refuses
// nothing; the reader, the panels' OK and the cycle decide that. kavro-config prints the list,
// start-up notes it in the event log, and the variable editor shows its variable's part.
#include <string>
#include <vector>

#include "model/Controller.h"

namespace kavro {

struct ReadinessProblem {
  int column;  // the main-grid column of the variable it is about; 0: the controller or a rule
  std::string text;
};

// Looks at: rule terms that name no zone of their variable or sit on an unnamed variable,
// operators that are not one of OperatorNames, rules in use without an input or an output
// term, zone points out of order, membership values outside 0..1, a high limit below its low
// limit, duplicate zone names in one variable, an input's shoulder zone that reaches 1 at a
// single point only, a rule whose operator can never give a strength above 0, a link frequency
// not at least 5 s faster than the run frequency, and a controller or link client name that cannot be used as a file name.
std::vector<ReadinessProblem> ReadinessProblems(const ControllerModel& model);

// Notes each problem in the event log (without raising the notice); returns how many.
int NoteReadinessProblems(Controller& controller);

}  // namespace kavro
